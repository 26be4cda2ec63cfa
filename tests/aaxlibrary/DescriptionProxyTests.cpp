// Plug-in description proxies: collection, effect and component descriptors,
// property maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "AAX_VCollection.h"
#include "CoreFakes.h"

namespace
{
void ProcessProc (void* const*, const void*) {}

bool Contains (const std::vector<std::string>& calls, const std::string& call)
{
    return std::find (calls.begin(), calls.end(), call) != calls.end();
}
} // namespace

TEST (DescriptionProxies, RegistrationBuildsTheHostsDescription)
{
    fakes::FakeHost host;
    {
        AAX_VCollection collection (&host);
        ASSERT_EQ (host.collections.size(), 1u);
        EXPECT_EQ (collection.GetIUnknown(), static_cast<IACFUnknown*> (static_cast<AAX_IACFCollection*> (host.collections[0])));

        AAX_IEffectDescriptor* effect = collection.NewDescriptor();
        ASSERT_NE (effect, nullptr);
        EXPECT_EQ (effect->AddName ("Skorvane3"), 7);
        EXPECT_EQ (effect->AddCategory (0x40), 7);
        EXPECT_EQ (effect->AddProcPtr (reinterpret_cast<void*> (&ProcessProc), kAAX_ProcPtrID_Create_EffectGUI), 7);

        AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
        component->AddAudioIn (0);
        component->AddAudioOut (1);
        component->AddAudioBufferLength (2);
        component->AddDataInPort (3, 4, AAX_eDataInPortType_Buffered);
        component->AddPrivateData (4, 8, 0);
        AAX_IPropertyMap* map = component->NewPropertyMap();
        EXPECT_EQ (map->AddProperty (AAX_eProperty_ManufacturerID, 0x566C7178), 7);
        EXPECT_EQ (map->AddProperty (AAX_eProperty_InputStemFormat, AAX_eStemFormat_Stereo), 7);
        AAX_CSelector procID = 0;
        EXPECT_EQ (component->AddProcessProc_Native (&ProcessProc, map, nullptr, nullptr, &procID), 7);
        EXPECT_EQ (procID, 99u);
        EXPECT_EQ (effect->AddComponent (component), 7);
        EXPECT_EQ (collection.AddEffect ("com.velloq.skorvane3", effect), 7);
        EXPECT_EQ (collection.SetManufacturerName ("Audio Velloq"), 7);
        EXPECT_EQ (collection.AddPackageName ("Skorvane3"), 7);
        EXPECT_EQ (collection.SetPackageVersion (0x10001), 7);

        ASSERT_EQ (host.effects.size(), 1u);
        ASSERT_EQ (host.components.size(), 1u);
        ASSERT_EQ (host.maps.size(), 1u);
        fakes::FakeComponentDescriptor* hostComponent = host.components[0];
        fakes::FakeEffectDescriptor* hostEffect = host.effects[0];
        // Host objects, never proxies, cross the boundary.
        EXPECT_EQ (hostComponent->lastMap, static_cast<IACFUnknown*> (host.maps[0]));
        EXPECT_EQ (hostEffect->handedObjects, (std::vector<IACFUnknown*> { hostComponent }));
        EXPECT_EQ (host.collections[0]->handedObjects, (std::vector<IACFUnknown*> { hostEffect }));
        EXPECT_EQ (hostEffect->calls, (std::vector<std::string> { "AddName:Skorvane3", "AddCategory:64", "AddProcPtr:1", "AddComponent" }));
        EXPECT_EQ (hostComponent->calls, (std::vector<std::string> { "AddAudioIn:0", "AddAudioOut:1", "AddAudioBufferLength:2",
                                                                     "AddDataInPort:3,4,1", "AddPrivateData:4,8,0", "AddProcessProc_Native" }));
        EXPECT_EQ (host.maps[0]->properties.at (AAX_eProperty_InputStemFormat), AAX_eStemFormat_Stereo);
        EXPECT_EQ (host.collections[0]->calls, (std::vector<std::string> { "AddEffect:com.velloq.skorvane3", "SetManufacturerName:Audio Velloq",
                                                                           "AddPackageName:Skorvane3", "SetPackageVersion:65537" }));
        // While the tree lives, each proxy holds its host object (and V2 where offered).
        EXPECT_EQ (hostEffect->Refs(), 3);
        EXPECT_EQ (hostComponent->Refs(), 3);
        EXPECT_EQ (host.maps[0]->Refs(), 3);
    }
    // The whole tree is gone: every host object keeps only the host's reference,
    // so each proxy released its objects exactly once.
    for (auto* o : host.collections)
        EXPECT_EQ (o->Refs(), 1);
    for (auto* o : host.effects)
        EXPECT_EQ (o->Refs(), 1);
    for (auto* o : host.components)
        EXPECT_EQ (o->Refs(), 1);
    for (auto* o : host.maps)
        EXPECT_EQ (o->Refs(), 1);
    EXPECT_EQ (host.Refs(), 0);
}

TEST (DescriptionProxies, DestroyingTheCollectionDeletesEveryProxyOnce)
{
    const int before = fakes::LiveHostObjects();
    {
        fakes::FakeHost host;
        {
            AAX_VCollection collection (&host);
            collection.NewPropertyMap();
            for (int e = 0; e < 2; ++e)
            {
                AAX_IEffectDescriptor* effect = collection.NewDescriptor();
                effect->NewPropertyMap();
                for (int c = 0; c < 3; ++c)
                {
                    AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
                    AAX_IPropertyMap* map = component->NewPropertyMap();
                    component->DuplicatePropertyMap (map);
                }
            }
            // 1 collection + 1 map + 2 x (effect + map + 3 x (component + 2 maps))
            EXPECT_EQ (fakes::LiveHostObjects() - before, 1 + 1 + 2 * (1 + 1 + 3 * 3));
        }
        for (IACFUnknown* made : host.made)
        {
            EXPECT_EQ (made->AddRef(), 2u);
            made->Release();
        }
    }
    EXPECT_EQ (fakes::LiveHostObjects(), before);
}

TEST (DescriptionProxies, NullArguments)
{
    fakes::FakeHost host;
    AAX_VCollection collection (&host);
    EXPECT_EQ (collection.AddEffect ("id", nullptr), kErrMissingObject);
    EXPECT_TRUE (host.collections[0]->calls.empty());

    EXPECT_EQ (collection.SetProperties (nullptr), 7);
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    EXPECT_EQ (effect->AddComponent (nullptr), 7);
    EXPECT_EQ (effect->SetProperties (nullptr), 7);
    EXPECT_EQ (effect->AddMeterDescription (1, "meter", nullptr), 7);
    EXPECT_EQ (host.effects[0]->handedObjects, (std::vector<IACFUnknown*> { nullptr, nullptr, nullptr }));
    EXPECT_EQ (host.collections[0]->handedObjects, (std::vector<IACFUnknown*> { nullptr }));

    AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
    EXPECT_EQ (component->AddProcessProc_TI ("lib.dll", "proc", nullptr, "init", "bg", nullptr), 7);
    EXPECT_EQ (host.components[0]->lastMap, nullptr);
    // Duplicating no map gives an empty map of this descriptor.
    AAX_IPropertyMap* copy = component->DuplicatePropertyMap (nullptr);
    ASSERT_NE (copy, nullptr);
    AAX_CPropertyValue value = 0;
    EXPECT_FALSE (copy->GetProperty (AAX_eProperty_ManufacturerID, &value));
}

TEST (DescriptionProxies, DuplicateCopiesOnlyPropertiesTenTo401)
{
    fakes::FakeHost host;
    AAX_VCollection collection (&host);
    AAX_IComponentDescriptor* component = collection.NewDescriptor()->NewComponentDescriptor();
    AAX_IPropertyMap* source = component->NewPropertyMap();
    source->AddProperty (static_cast<AAX_EProperty> (9), 90);
    source->AddProperty (static_cast<AAX_EProperty> (10), 100);
    source->AddProperty (static_cast<AAX_EProperty> (401), 4010);
    source->AddProperty (static_cast<AAX_EProperty> (402), 4020);
    const size_t mapsBefore = host.maps.size();
    AAX_IPropertyMap* copy = component->DuplicatePropertyMap (source);
    ASSERT_EQ (host.maps.size(), mapsBefore + 1);
    EXPECT_EQ (host.maps.back()->properties, (std::map<int32_t, int32_t> { { 10, 100 }, { 401, 4010 } }));
    AAX_CPropertyValue value = -1;
    EXPECT_TRUE (copy->GetProperty (static_cast<AAX_EProperty> (401), &value));
    EXPECT_EQ (value, 4010);
    value = -1;
    EXPECT_FALSE (copy->GetProperty (static_cast<AAX_EProperty> (9), &value));
    EXPECT_EQ (value, -1);
}

TEST (DescriptionProxies, CollectionWithoutHostObject)
{
    fakes::FakeHost host;
    host.hasFactory = false;
    AAX_VCollection collection (&host);
    EXPECT_EQ (collection.GetIUnknown(), nullptr);
    EXPECT_EQ (collection.SetManufacturerName ("x"), kErrMissingObject);
    EXPECT_EQ (collection.AddPackageName ("x"), kErrMissingObject);
    EXPECT_EQ (collection.SetPackageVersion (1), kErrMissingObject);
    EXPECT_EQ (collection.SetProperties (nullptr), kErrMissingObject);
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    ASSERT_NE (effect, nullptr);
    EXPECT_EQ (collection.AddEffect ("x", effect), kErrMissingObject);
    EXPECT_EQ (effect->AddName ("x"), kErrMissingObject);
    EXPECT_EQ (effect->AddControlMIDINode (1, AAX_eMIDINodeType_Global, "m", 0), kErrNotSupported);
    AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
    EXPECT_EQ (component->Clear(), kErrMissingObject);
    EXPECT_EQ (component->AddMeters (7, nullptr, 0), kErrMissingObject);
    EXPECT_EQ (component->AddTemporaryData (1, 4), kErrNotSupported);
    AAX_IPropertyMap* map = collection.NewPropertyMap();
    AAX_CPropertyValue value = 5;
    EXPECT_FALSE (map->GetProperty (AAX_eProperty_ProductID, &value));
    EXPECT_EQ (value, 5);
    EXPECT_EQ (map->AddProperty (AAX_eProperty_ProductID, 1), kErrMissingObject);
    EXPECT_EQ (map->RemoveProperty (AAX_eProperty_ProductID), kErrMissingObject);
    EXPECT_EQ (map->AddPropertyWithIDArray (AAX_eProperty_ProductID, nullptr, 0), kErrNotSupported);
    EXPECT_FALSE (map->GetPropertyWithIDArray (AAX_eProperty_ProductID, nullptr, nullptr));
    EXPECT_EQ (host.createCalls, 0);
}

TEST (DescriptionProxies, MissingVersionTwo)
{
    fakes::FakeHost host;
    host.refusedInterfaces = { IID_IAAXEffectDescriptorV2, IID_IAAXComponentDescriptorV2, IID_IAAXPropertyMapV2 };
    AAX_VCollection collection (&host);
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    EXPECT_EQ (effect->AddName ("n"), 7);
    EXPECT_EQ (effect->AddControlMIDINode (1, AAX_eMIDINodeType_Global, "m", 0), kErrNotSupported);
    AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
    EXPECT_EQ (component->AddTemporaryData (1, 4), kErrNotSupported);
    EXPECT_EQ (component->AddMIDINode (1, AAX_eMIDINodeType_LocalInput, "in", 1), 7);
    AAX_IPropertyMap* map = effect->NewPropertyMap();
    EXPECT_EQ (map->AddPropertyWithIDArray (AAX_eProperty_PlugInID_Native, nullptr, 0), kErrNotSupported);
    EXPECT_FALSE (map->GetPropertyWithIDArray (AAX_eProperty_PlugInID_Native, nullptr, nullptr));
    EXPECT_EQ (map->AddProperty (AAX_eProperty_CanBypass, 1), 7);
    AAX_CPropertyValue value = 0;
    EXPECT_TRUE (map->GetProperty (AAX_eProperty_CanBypass, &value));
    EXPECT_EQ (value, 1);

    // With both versions the version-2 operations reach the host.
    fakes::FakeHost full;
    AAX_VCollection other (&full);
    AAX_IPropertyMap* map2 = other.NewPropertyMap();
    EXPECT_TRUE (map2->GetPropertyWithIDArray (AAX_eProperty_PlugInID_Native, nullptr, nullptr));
    EXPECT_EQ (map2->AddPropertyWithIDArray (AAX_eProperty_PlugInID_Native, nullptr, 2), 7);
    EXPECT_TRUE (Contains (full.maps[0]->calls, "AddPropertyWithIDArray:13,2"));
}

TEST (DescriptionProxies, RefusedComponentGivesProxyWithoutHostObject)
{
    fakes::FakeHost host;
    host.refusedComponents = { AAXCompID_AAXEffectDescriptor };
    AAX_VCollection collection (&host);
    AAX_IEffectDescriptor* effect = collection.NewDescriptor();
    EXPECT_EQ (effect->AddName ("x"), kErrMissingObject);
    // AddEffect hands over the effect's (absent) host object.
    EXPECT_EQ (collection.AddEffect ("id", effect), 7);
    EXPECT_EQ (host.collections[0]->handedObjects, (std::vector<IACFUnknown*> { nullptr }));
    // Its children still ask the factory themselves.
    AAX_IComponentDescriptor* component = effect->NewComponentDescriptor();
    EXPECT_EQ (component->AddAudioIn (0), 7);
}
