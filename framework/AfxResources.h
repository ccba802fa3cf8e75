// The program's embedded resources, parsed once on first use.
#pragma once

class ResourceFile;

// The parsed resources; empty if the embedded image is malformed.
const ResourceFile& AfxResources();

// For tests: string-table lookups of id find nothing, as if the string were
// empty; 0 makes every string visible again.
void AfxTestHideString(unsigned id);
bool AfxStringHidden(unsigned id);
