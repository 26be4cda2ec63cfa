// The GUI object: puts the processor's editor into the host's native view
// (on Linux an X11 Window id) and takes it out again. Every JUCE call runs on
// JUCE's message thread.

#include "AAX_IViewContainer.h"
#include "wrapper/Skorvane3AAXWrapper.h"

namespace AAXClasses
{

IACFUnknown* JuceAAX_GUI::Create()
{
    AAX_IACFEffectGUI* gui = new JuceAAX_GUI();
    return gui;
}

JuceAAX_GUI::JuceAAX_GUI() = default;

JuceAAX_GUI::~JuceAAX_GUI()
{
    // A host that releases the GUI object with the editor still open.
    deleteEditor();
}

JuceAAX_Processor* JuceAAX_GUI::processorWrapper()
{
    return dynamic_cast<JuceAAX_Processor*> (GetEffectParameters());
}

AAX_Result JuceAAX_GUI::SetViewContainer (IACFUnknown* container)
{
    AAX_Result result = AAX_SUCCESS;
    bool ran = false;
    Skorvane3AAX::JuceRuntime::callOnMessageThread ([this, container, &result, &ran] {
        ran = true;
        result = AAX_CEffectGUI::SetViewContainer (container);
    });
    // Without a message loop there is no editor and nothing to overlap with.
    if (! ran)
        result = AAX_CEffectGUI::SetViewContainer (container);
    return result;
}

void JuceAAX_GUI::CreateViewContents()
{
    // The editor is made when the host hands over its view.
}

void JuceAAX_GUI::CreateViewContainer()
{
    void* nativeView = GetViewContainerPtr();
    if (nativeView == nullptr || GetViewContainerType() != AAX_eViewContainer_Type_XWindow)
        return;
    JuceAAX_Processor* wrapper = processorWrapper();
    if (wrapper == nullptr)
        return;

    Skorvane3AAX::JuceRuntime::callOnMessageThread ([this, wrapper, nativeView] {
        if (editor == nullptr)
        {
            juce::AudioProcessor& processor = wrapper->getPluginInstance();
            editor.reset (processor.hasEditor() ? processor.createEditor() : nullptr);
            if (editor == nullptr)
                return;
        }
        editor->setOpaque (true);
        editor->setVisible (true);
        editor->addToDesktop (0, nativeView);
        editor->addComponentListener (this);
        editorWidth = editor->getWidth();
        editorHeight = editor->getHeight();
        editorOpen = true;
    });

    if (editorOpen)
        if (auto* container = GetViewContainer())
        {
            AAX_Point size (static_cast<float> (editorHeight.load()), static_cast<float> (editorWidth.load()));
            container->SetViewSize (size);
        }
}

void JuceAAX_GUI::DeleteViewContainer() { deleteEditor(); }

void JuceAAX_GUI::deleteEditor()
{
    Skorvane3AAX::JuceRuntime::callOnMessageThread ([this] {
        if (editor == nullptr)
            return;
        editor->removeComponentListener (this);
        editor->removeFromDesktop();
        editor.reset();
    });
    editorOpen = false;
}

void JuceAAX_GUI::componentMovedOrResized (juce::Component& c, bool, bool wasResized)
{
    if (! wasResized)
        return;
    editorWidth = c.getWidth();
    editorHeight = c.getHeight();
    if (auto* container = GetViewContainer())
    {
        AAX_Point size (static_cast<float> (c.getHeight()), static_cast<float> (c.getWidth()));
        container->SetViewSize (size);
    }
}

AAX_Result JuceAAX_GUI::GetViewSize (AAX_Point* size) const
{
    if (size == nullptr)
        return kErrMissingObject;
    if (! editorOpen)
        return AAX_SUCCESS; // nothing to report before the editor exists
    size->vert = static_cast<float> (editorHeight.load());
    size->horz = static_cast<float> (editorWidth.load());
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_GUI::ParameterUpdated (AAX_CParamID)
{
    // The editor polls the processor for changes; nothing to push.
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_GUI::SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor)
{
    return AAX_SUCCESS;
}

} // namespace AAXClasses
