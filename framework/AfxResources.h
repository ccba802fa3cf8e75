// The program's embedded resources, parsed once on first use.
#pragma once

class ResourceFile;

// The parsed resources; empty if the embedded image is malformed.
const ResourceFile& AfxResources();
