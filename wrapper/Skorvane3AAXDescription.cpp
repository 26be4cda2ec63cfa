// What the plug-in registers with the host: one effect with its names,
// category, creation procedures and one component per accepted pair of
// channel layouts, each with its plug-in IDs.

#include <memory>

#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "processor/PluginProcessor.h"
#include "wrapper/Skorvane3AAXWrapper.h"

namespace Skorvane3AAX
{

int layoutIndex (int32_t stemFormat)
{
    if (stemFormat == AAX_eStemFormat_None)
        return 0;
    for (int i = 0; i < static_cast<int> (sizeof (kStemFormats) / sizeof (kStemFormats[0])); ++i)
        if (kStemFormats[i] == stemFormat)
            return i + 1;
    return -1;
}

int layoutChannels (int32_t stemFormat)
{
    return layoutIndex (stemFormat) > 0 ? AAX_STEM_FORMAT_CHANNEL_COUNT (stemFormat) : 0;
}

bool acceptsLayouts (int32_t inputStemFormat, int32_t outputStemFormat)
{
    // The processor's preferred channel configurations: as many outputs as
    // inputs, from 1 up to the processor's channel limit.
    const int ins = layoutChannels (inputStemFormat);
    const int outs = layoutChannels (outputStemFormat);
    return ins > 0 && ins == outs && ins <= Skorvane3AudioProcessor::kMaxChannels;
}

uint32_t pluginID (uint32_t base, int32_t inputStemFormat, int32_t outputStemFormat)
{
    const int in = layoutIndex (inputStemFormat);
    const int out = layoutIndex (outputStemFormat);
    return base + static_cast<uint32_t> (in < 0 ? 0 : in) * 256u + static_cast<uint32_t> (out < 0 ? 0 : out);
}

} // namespace Skorvane3AAX

using namespace Skorvane3AAX;

AAX_Result GetEffectDescriptions (AAX_ICollection* collection)
{
    if (collection == nullptr)
        return kErrMissingObject;

    // The GUI and message system run for the length of the description, and
    // one temporary processor supplies its name.
    JuceRuntime runtime;
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    const juce::String name = processor != nullptr ? processor->getName() : juce::String (kEffectName);

    AAX_IEffectDescriptor* effect = collection->NewDescriptor();
    if (effect == nullptr)
        return kErrMissingObject;

    effect->AddName (name.toRawUTF8());
    effect->AddName (name.toRawUTF8());
    effect->AddCategory (kCategory);

    effect->AddProcPtr (reinterpret_cast<void*> (&AAXClasses::JuceAAX_GUI::Create), kAAX_ProcPtrID_Create_EffectGUI);
    effect->AddProcPtr (reinterpret_cast<void*> (&AAXClasses::JuceAAX_Processor::Create),
                        kAAX_ProcPtrID_Create_EffectParameters);

    for (AAX_EStemFormat in : kStemFormats)
        for (AAX_EStemFormat out : kStemFormats)
        {
            if (! acceptsLayouts (in, out))
                continue;
            AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
            if (component == nullptr)
                continue;
            component->AddAudioIn (kFieldAudioIn);
            component->AddAudioOut (kFieldAudioOut);
            component->AddAudioBufferLength (kFieldBufferLength);
            component->AddDataInPort (kFieldBypass, sizeof (int32_t), AAX_eDataInPortType_Buffered);
            component->AddPrivateData (kFieldProcessor, static_cast<int32_t> (sizeof (void*)), 0);
            component->AddPrivateData (kFieldChannelCount, static_cast<int32_t> (sizeof (int32_t)), 0);

            AAX_IPropertyMap* properties = component->NewPropertyMap();
            if (properties != nullptr)
            {
                properties->AddProperty (AAX_eProperty_ManufacturerID, static_cast<int32_t> (kManufacturerCode));
                properties->AddProperty (AAX_eProperty_ProductID, static_cast<int32_t> (kProductCode));
                properties->AddProperty (AAX_eProperty_CanBypass, 1);
                properties->AddProperty (AAX_eProperty_InputStemFormat, in);
                properties->AddProperty (AAX_eProperty_OutputStemFormat, out);
                properties->AddProperty (AAX_eProperty_PlugInID_Native,
                                         static_cast<int32_t> (pluginID (kNativeIDBase, in, out)));
                properties->AddProperty (AAX_eProperty_PlugInID_AudioSuite,
                                         static_cast<int32_t> (pluginID (kAudioSuiteIDBase, in, out)));
                properties->AddProperty (AAX_eProperty_UsesClientGUI, 1);
            }
            component->AddProcessProc_Native (&AAXClasses::JuceAAX_Processor::algorithmProcessFunction, properties,
                                              nullptr, nullptr, nullptr);
            effect->AddComponent (component);
        }

    collection->AddEffect (kEffectIdentifier, effect);
    collection->SetManufacturerName (kManufacturerName);
    collection->AddPackageName (name.toRawUTF8());
    collection->AddPackageName (name.toRawUTF8());
    collection->SetPackageVersion (kPackageVersion);
    return AAX_SUCCESS;
}
