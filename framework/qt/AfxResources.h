// The program's compiled resources, embedded in it, parsed once on first use.
#pragma once

#include "resources/ResourceFile.h"

// The parsed resources; empty if the embedded image is malformed.
const ResourceFile& AfxResources();
