#include "AAX_CEffectParameters.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "AAX_CString.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"

namespace
{
// Texts cross to the host through its own string interface.
void Assign (AAX_IString* out, const AAX_CString& text)
{
    if (out != nullptr)
        *out = static_cast<const AAX_IString&> (text);
}

template<typename T>
void Write (T* out, T value)
{
    if (out != nullptr)
        *out = value;
}
} // namespace

AAX_CEffectParameters::AAX_CEffectParameters()
    : changeCount (0)
    , cachedChunkSize (0)
    , controller (nullptr)
    , transport (nullptr)
    , automationDelegate (nullptr)
{
}

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    // Normally Uninitialize has run already. When the host skipped it, the
    // parameters leave the automation delegate while it still exists, and
    // the proxies are freed instead of leaked.
    hostParameters.RemoveAllParameters();
    DeleteProxies();
}

void AAX_CEffectParameters::DeleteProxies()
{
    // Nothing may keep reaching the proxies once they are gone.
    packetDispatcher.Initialize (nullptr, this);
    hostParameters.Initialize (nullptr);
    delete controller;
    controller = nullptr;
    delete automationDelegate;
    automationDelegate = nullptr;
    delete transport;
    transport = nullptr;
}

AAX_Result AAX_CEffectParameters::Initialize (IACFUnknown* iController)
{
    // Initialized once already: start afresh. The parameters of the first
    // call leave their automation delegate before it goes, and the first
    // proxies give their host references back instead of leaking.
    if (controller != nullptr || automationDelegate != nullptr || transport != nullptr)
    {
        hostParameters.RemoveAllParameters();
        DeleteProxies();
    }

    try
    {
        controller = new AAX_VController (iController);
        automationDelegate = new AAX_VAutomationDelegate (iController);
        transport = new AAX_VTransport (iController);
    }
    catch (...)
    {
        // A proxy whose host broke its promise threw; no exception may
        // reach the host through this call.
        return kACFErrUnexpected;
    }
    hostParameters.Initialize (automationDelegate);
    packetDispatcher.Initialize (controller, this);

    const AAX_Result result = EffectInit();
    if (result != AAX_SUCCESS)
        return result;

    AAX_CString bypassID;
    GetMasterBypassParameter (&bypassID);
    FilterParameterIDOnSave (bypassID.Get());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    hostParameters.RemoveAllParameters();
    DeleteProxies();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::EffectInit() { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                                        uint32_t inNotificationDataSize)
{
    if (inNotificationType != kPreviewNotification)
        return AAX_SUCCESS;
    AAX_IParameter* preview = hostParameters.GetParameterByID (cPreviewID);
    // The preview state is a 32-bit integer; shorter or missing data is ignored.
    if (preview == nullptr || inNotificationData == nullptr || inNotificationDataSize < sizeof (int32_t))
        return AAX_SUCCESS;
    int32_t state = 0;
    std::memcpy (&state, inNotificationData, sizeof (state));
    preview->SetValueWithBool (state != 0);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfParameters (int32_t* oNumControls) const
{
    Write (oNumControls, hostParameters.NumParameters());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter (AAX_IString* oIDString) const
{
    if (oIDString == nullptr)
        return kErrStringConversion;
    Assign (oIDString, AAX_CString (hostParameters.GetParameterByID (cDefaultMasterBypassID) != nullptr ? cDefaultMasterBypassID : ""));
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable (AAX_CParamID iParameterID, AAX_CBoolean* oAutomatable) const
{
    Write<AAX_CBoolean> (oAutomatable, 0);
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    Write<AAX_CBoolean> (oAutomatable, p->Automatable() ? 1 : 0);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    const int32_t steps = static_cast<int32_t> (p->GetNumberOfSteps());
    if (steps < 0)
        return kErrBadStepCount;
    Write (oNumSteps, steps);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    Assign (oName, p != nullptr ? p->Name() : AAX_CString());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName, int32_t iNameLength) const
{
    if (oName == nullptr)
        return kErrStringConversion;
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
    {
        Assign (oName, AAX_CString());
        return AAX_SUCCESS;
    }

    const AAX_CString& shortened = p->ShortenedName (iNameLength);
    const std::string text = shortened.StdString().substr (0, 255);

    // The name's variants are its lines; a line break at the very end starts none.
    std::vector<std::string> variants;
    size_t start = 0;
    while (start < text.size())
    {
        const size_t brk = text.find ('\n', start);
        if (brk == std::string::npos)
        {
            variants.push_back (text.substr (start));
            break;
        }
        variants.push_back (text.substr (start, brk - start));
        start = brk + 1;
    }
    if (variants.empty())
        return AAX_SUCCESS; // empty name: out stays as it was

    const std::string* chosen = nullptr;
    for (const std::string& v : variants)
    {
        const int64_t length = static_cast<int64_t> (v.size());
        if (length >= 1 && length <= iNameLength && (chosen == nullptr || v.size() > chosen->size()))
            chosen = &v;
    }
    if (chosen != nullptr)
    {
        Assign (oName, AAX_CString (*chosen));
        return AAX_SUCCESS;
    }
    if (iNameLength < 1)
    {
        Assign (oName, AAX_CString());
        return AAX_SUCCESS;
    }
    AAX_CString cut;
    shortened.SubString (0, static_cast<uint32_t> (iNameLength), &cut);
    Assign (oName, cut);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    Write (oValue, p->GetNormalizedDefaultValue());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue)
{
    AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    p->SetNormalizedDefaultValue (iValue);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterType (AAX_CParamID iParameterID, AAX_EParameterType* oParameterType) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    Write (oParameterType, p->GetType());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation (AAX_CParamID iParameterID, int32_t* oParameterOrientation) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    Write<int32_t> (oParameterOrientation, p->GetOrientation());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter)
{
    AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    Write (oParameter, p);
    return p == nullptr ? static_cast<AAX_Result> (kErrUnknownParameterID) : AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const
{
    const int32_t index = hostParameters.GetParameterIndex (iParameterID);
    Write (oControlIndex, index);
    return index == -1 ? static_cast<AAX_Result> (kErrUnknownParameterID) : AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex (int32_t iControlIndex, AAX_IString* oParameterIDString) const
{
    const AAX_IParameter* p = hostParameters.GetParameter (iControlIndex);
    if (p == nullptr)
    {
        Assign (oParameterIDString, AAX_CString());
        return kErrUnknownParameterID;
    }
    Assign (oParameterIDString, AAX_CString (p->Identifier()));
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo (AAX_CParamID, int32_t, int32_t* oValue) const
{
    Write<int32_t> (oValue, 0);
    return kErrNotSupported;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue, const AAX_IString& iString) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    double value = 0.0;
    if (! p->GetNormalizedValueFromString (AAX_CString (iString), &value))
        return kErrStringConversion;
    Write (oValue, value);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue, AAX_IString* oString,
                                                               int32_t iMaxLength) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    AAX_CString text;
    if (! p->GetStringFromNormalizedValue (iValue, iMaxLength, text))
        return kErrStringConversion;
    Assign (oString, text);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oString, int32_t iMaxLength) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    AAX_CString text;
    p->GetValueString (iMaxLength, &text);
    Assign (oString, text);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const
{
    const AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    Write (oValuePtr, p->GetNormalizedValue());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue)
{
    AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    p->SetNormalizedValue (iValue);
    return AAX_SUCCESS;
}

namespace
{
// current + change, at most 1 and then at least 0; a NaN passes both limits.
double Limited (double value)
{
    if (value > 1.0)
        value = 1.0;
    if (value < 0.0)
        value = 0.0;
    return value;
}
} // namespace

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue)
{
    double current = 0.0;
    const AAX_Result r = GetParameterNormalizedValue (iParameterID, &current);
    if (r != AAX_SUCCESS)
        return r;
    return SetParameterNormalizedValue (iParameterID, Limited (current + iValue));
}

AAX_Result AAX_CEffectParameters::TouchParameter (AAX_CParamID iParameterID)
{
    AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    p->Touch();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::ReleaseParameter (AAX_CParamID iParameterID)
{
    AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    p->Release();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch (AAX_CParamID, AAX_CBoolean) { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue, AAX_EUpdateSource)
{
    AAX_IParameter* p = hostParameters.GetParameterByID (iParameterID);
    if (p == nullptr)
        return kErrUnknownParameterID;
    const double old = p->GetNormalizedValue();
    p->UpdateNormalizedValue (iValue);
    const AAX_Result r = packetDispatcher.SetDirty (iParameterID, true);
    if (old != iValue || std::isnan (old) || std::isnan (iValue))
        ++changeCount;
    return r;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue)
{
    double current = 0.0;
    const AAX_Result r = GetParameterNormalizedValue (iParameterID, &current);
    if (r != AAX_SUCCESS)
        return r;
    return UpdateParameterNormalizedValue (iParameterID, Limited (current + iValue), AAX_eUpdateSource_Unspecified);
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients() { return packetDispatcher.Dispatch(); }

AAX_Result AAX_CEffectParameters::ResetFieldData (AAX_CFieldIndex, void* oData, uint32_t iDataSize) const
{
    if (oData != nullptr && iDataSize > 0)
        std::memset (oData, 0, iDataSize);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks (int32_t* oNumChunks) const
{
    Write<int32_t> (oNumChunks, 1);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const
{
    if (iIndex != 0)
    {
        Write<AAX_CTypeID> (oChunkID, 0);
        return kErrBadChunkIndex;
    }
    Write (oChunkID, kControlsChunkID);
    return AAX_SUCCESS;
}

bool AAX_CEffectParameters::IsFiltered (const AAX_IParameter* parameter) const
{
    return filteredParameterIDs.find (std::string (parameter->Identifier())) != filteredParameterIDs.end();
}

void AAX_CEffectParameters::FilterParameterIDOnSave (AAX_CParamID identifier)
{
    if (identifier != nullptr)
        filteredParameterIDs.insert (std::string (identifier));
}

void AAX_CEffectParameters::BuildChunkData() const
{
    chunkParser.Clear();
    int32_t n = 0;
    GetNumberOfParameters (&n);
    for (int32_t i = 0; i < n; ++i)
    {
        const AAX_IParameter* p = hostParameters.GetParameter (i);
        if (p == nullptr || IsFiltered (p))
            continue;
        float f = 0.0f;
        int32_t l = 0;
        bool b = false;
        double d = 0.0;
        AAX_CString s;
        if (p->GetValueAsFloat (&f))
            chunkParser.AddDouble (p->Identifier(), static_cast<double> (f));
        else if (p->GetValueAsInt32 (&l))
            chunkParser.AddInt32 (p->Identifier(), l);
        else if (p->GetValueAsBool (&b))
            chunkParser.AddInt32 (p->Identifier(), b ? 1 : 0);
        else if (p->GetValueAsDouble (&d))
            chunkParser.AddDouble (p->Identifier(), d);
        else if (p->GetValueAsString (&s))
            chunkParser.AddString (p->Identifier(), s);
    }
}

AAX_Result AAX_CEffectParameters::GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const
{
    if (iChunkID != kControlsChunkID)
    {
        Write<uint32_t> (oSize, 0);
        return kErrUnknownChunkID;
    }
    std::lock_guard<std::mutex> guard (chunkLock);
    BuildChunkData();
    const int32_t s = chunkParser.GetChunkDataSize();
    cachedChunkSize = s;
    if (s < 0)
        return kErrChunkSizeMismatch;
    Write (oSize, static_cast<uint32_t> (s));
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const
{
    if (iChunkID != kControlsChunkID)
        return kErrUnknownChunkID;
    if (oChunk == nullptr)
        return kErrChunkWrite;
    std::lock_guard<std::mutex> guard (chunkLock);
    BuildChunkData();
    const int32_t s = chunkParser.GetChunkDataSize();
    // The record has room for the size last reported, and only for that.
    if (s != cachedChunkSize || cachedChunkSize == 0)
        return kErrChunkSizeMismatch;

    oChunk->version = chunkParser.GetChunkVersion();
    std::memset (oChunk->name, 0, sizeof (oChunk->name));
    std::strncpy (oChunk->name, CONTROLS_CHUNK_DESCRIPTION, sizeof (oChunk->name) - 1);
    return chunkParser.GetChunkData (oChunk);
}

namespace
{
// One value read from a controls chunk for one parameter, by the typed
// setter it goes to.
struct ChunkValue
{
    enum Kind
    {
        Float,
        Int32,
        Bool,
        Double,
        String
    } kind;
    AAX_IParameter* parameter;
    float f;
    int32_t l;
    double d;
    AAX_CString s;
};
} // namespace

AAX_Result AAX_CEffectParameters::SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk)
{
    if (iChunkID != kControlsChunkID)
        return kErrUnknownChunkID;

    // The values are read under the chunk lock and set after it is released:
    // the setters ask the host, which may call this object back.
    std::vector<ChunkValue> values;
    {
        std::lock_guard<std::mutex> guard (chunkLock);
        chunkParser.LoadChunk (iChunk); // a null or unreadable record leaves no entries

        int32_t n = 0;
        GetNumberOfParameters (&n);
        for (int32_t i = 0; i < n; ++i)
        {
            AAX_IParameter* p = hostParameters.GetParameter (i);
            if (p == nullptr || IsFiltered (p))
                continue;
            const char* id = p->Identifier();
            float f = 0.0f;
            int32_t l = 0;
            bool b = false;
            double d = 0.0;
            AAX_CString s;
            if (p->GetValueAsFloat (&f))
            {
                // A stored value that is not a number is unreadable: the
                // parameter keeps its value rather than taking a NaN.
                if (chunkParser.FindDouble (id, &d) && ! std::isnan (d))
                    values.push_back (ChunkValue { ChunkValue::Float, p, static_cast<float> (d), 0, 0.0, AAX_CString() });
            }
            else if (p->GetValueAsInt32 (&l))
            {
                if (chunkParser.FindInt32 (id, &l))
                    values.push_back (ChunkValue { ChunkValue::Int32, p, 0.0f, l, 0.0, AAX_CString() });
            }
            else if (p->GetValueAsBool (&b))
            {
                if (chunkParser.FindInt32 (id, &l))
                    values.push_back (ChunkValue { ChunkValue::Bool, p, 0.0f, l, 0.0, AAX_CString() });
            }
            else if (p->GetValueAsDouble (&d))
            {
                if (chunkParser.FindDouble (id, &d) && ! std::isnan (d))
                    values.push_back (ChunkValue { ChunkValue::Double, p, 0.0f, 0, d, AAX_CString() });
            }
            else if (p->GetValueAsString (&s))
            {
                if (chunkParser.FindString (id, &s))
                    values.push_back (ChunkValue { ChunkValue::String, p, 0.0f, 0, 0.0, s });
            }
        }
    }

    for (const ChunkValue& v : values)
    {
        switch (v.kind)
        {
            case ChunkValue::Float: v.parameter->SetValueWithFloat (v.f); break;
            case ChunkValue::Int32: v.parameter->SetValueWithInt32 (v.l); break;
            case ChunkValue::Bool: v.parameter->SetValueWithBool (v.l != 0); break;
            case ChunkValue::Double: v.parameter->SetValueWithDouble (v.d); break;
            case ChunkValue::String: v.parameter->SetValueWithString (v.s); break;
        }
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk (const AAX_SPlugInChunk* iChunkP, AAX_CBoolean* oIsEqual) const
{
    if (iChunkP == nullptr || oIsEqual == nullptr)
        return kErrMissingObject;
    if (iChunkP->chunkID != kControlsChunkID)
    {
        *oIsEqual = 1;
        return AAX_SUCCESS;
    }
    *oIsEqual = 0;
    std::lock_guard<std::mutex> guard (chunkLock);
    chunkParser.LoadChunk (iChunkP);

    int32_t n = 0;
    GetNumberOfParameters (&n);
    for (int32_t i = 0; i < n; ++i)
    {
        const AAX_IParameter* p = hostParameters.GetParameter (i);
        if (p == nullptr || IsFiltered (p))
            continue;
        const char* id = p->Identifier();
        float f = 0.0f;
        int32_t l = 0;
        bool b = false;
        double d = 0.0;
        AAX_CString s;
        bool equal = true;
        if (p->GetValueAsFloat (&f))
        {
            equal = chunkParser.FindDouble (id, &d) && static_cast<float> (d) == f; // NaN: different
        }
        else if (p->GetValueAsInt32 (&l))
        {
            int32_t stored = 0;
            equal = chunkParser.FindInt32 (id, &stored) && stored == l;
        }
        else if (p->GetValueAsBool (&b))
        {
            equal = chunkParser.FindInt32 (id, &l) && (l != 0) == b;
        }
        else if (p->GetValueAsDouble (&d))
        {
            double stored = 0.0;
            equal = chunkParser.FindDouble (id, &stored) && static_cast<float> (stored) == static_cast<float> (d);
        }
        else if (p->GetValueAsString (&s))
        {
            AAX_CString stored;
            equal = chunkParser.FindString (id, &stored) && stored == s;
        }
        if (! equal)
            return AAX_SUCCESS;
    }
    *oIsEqual = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges (int32_t* oNumChanges) const
{
    const int32_t count = changeCount.load();
    if (count >= 0)
        Write (oNumChanges, count);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::TimerWakeup() { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::GetCurveData (AAX_CTypeID, const float*, uint32_t, float*) const { return kErrNotSupported; }

AAX_Result AAX_CEffectParameters::GetCustomData (AAX_CTypeID, uint32_t, void*, uint32_t* oDataWritten) const
{
    Write<uint32_t> (oDataWritten, 0);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetCustomData (AAX_CTypeID, uint32_t, const void*) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::DoMIDITransfers() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::RenderAudio_Hybrid (AAX_SHybridRenderInfo*) { return kErrNotSupported; }
AAX_Result AAX_CEffectParameters::UpdateMIDINodes (AAX_CFieldIndex, AAX_CMidiPacket&) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::UpdateControlMIDINodes (AAX_CTypeID, AAX_CMidiPacket&) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::GetCurveDataMeterIds (AAX_CTypeID, uint32_t*, uint32_t*) const { return kErrNotSupported; }
AAX_Result AAX_CEffectParameters::GetCurveDataDisplayRange (AAX_CTypeID, float*, float*, float*, float*) const { return kErrNotSupported; }

AAX_IController* AAX_CEffectParameters::Controller() { return controller; }
const AAX_IController* AAX_CEffectParameters::Controller() const { return controller; }
AAX_ITransport* AAX_CEffectParameters::Transport() { return transport; }
const AAX_ITransport* AAX_CEffectParameters::Transport() const { return transport; }
