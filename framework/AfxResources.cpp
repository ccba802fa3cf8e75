#include "AfxResources.h"

#include "AfxResourceData.h"
#include "resources/ResourceFile.h"

const ResourceFile& AfxResources()
{
    static const ResourceFile resources = [] {
        const AfxResourceData data = AfxGetResourceData();
        return ResourceFile::Parse({data.bytes, data.size}).value_or(ResourceFile());
    }();
    return resources;
}

namespace {
unsigned g_hiddenString = 0;
}

void AfxTestHideString(unsigned id)
{
    g_hiddenString = id;
}

bool AfxStringHidden(unsigned id)
{
    return id != 0 && id == g_hiddenString;
}
