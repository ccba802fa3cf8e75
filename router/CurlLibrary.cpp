#include "CurlLibrary.h"

#include <dlfcn.h>

namespace {

template <typename Function>
bool Find(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const CurlLibrary* Load()
{
    static CurlLibrary curl;
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    decltype(&curl_global_init) globalInit = nullptr;
    const bool found = Find(library, "curl_global_init", globalInit) &&
                       Find(library, "curl_easy_init", curl.easy_init) &&
                       Find(library, "curl_easy_setopt", curl.easy_setopt) &&
                       Find(library, "curl_easy_getinfo", curl.easy_getinfo) &&
                       Find(library, "curl_easy_perform", curl.easy_perform) &&
                       Find(library, "curl_easy_pause", curl.easy_pause) &&
                       Find(library, "curl_easy_cleanup", curl.easy_cleanup) &&
                       Find(library, "curl_multi_init", curl.multi_init) &&
                       Find(library, "curl_multi_add_handle", curl.multi_add_handle) &&
                       Find(library, "curl_multi_perform", curl.multi_perform) &&
                       Find(library, "curl_multi_poll", curl.multi_poll) &&
                       Find(library, "curl_multi_info_read", curl.multi_info_read) &&
                       Find(library, "curl_multi_remove_handle", curl.multi_remove_handle) &&
                       Find(library, "curl_multi_cleanup", curl.multi_cleanup) &&
                       Find(library, "curl_slist_append", curl.slist_append) &&
                       Find(library, "curl_slist_free_all", curl.slist_free_all);
    // Initialised for the whole process and never unloaded: the program
    // ends soon after its one download.
    if (!found || globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        return nullptr;
    return &curl;
}

}  // namespace

const CurlLibrary* LoadCurl()
{
    static const CurlLibrary* const curl = Load();
    return curl;
}
