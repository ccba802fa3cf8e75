#include "AfxResources.h"

#include "AfxPlatform.h"
#include "AfxResourceData.h"

const ResourceFile& AfxResources()
{
    static const ResourceFile resources = [] {
        const AfxResourceData data = AfxGetResourceData();
        return ResourceFile::Parse({data.bytes, data.size}).value_or(ResourceFile());
    }();
    return resources;
}

const ResourceSource& AfxProgramResources()
{
    return AfxResources();
}
