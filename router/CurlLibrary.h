// libcurl, loaded when the first download starts rather than when the
// program does: with the TLS, Kerberos and LDAP libraries it brings along it
// costs every run of zedulo-convert about 6.5 MiB of memory, and a plain
// conversion of a file needs none of it (its memory bound is tested).
// Linux only; the Debian package depends on libcurl4 by name, as
// dpkg-shlibdeps cannot see a library that is loaded this way.
#pragma once

#include <curl/curl.h>

struct CurlLibrary {
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_perform) easy_perform;
    decltype(&curl_easy_pause) easy_pause;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_multi_init) multi_init;
    decltype(&curl_multi_add_handle) multi_add_handle;
    decltype(&curl_multi_perform) multi_perform;
    decltype(&curl_multi_poll) multi_poll;
    decltype(&curl_multi_info_read) multi_info_read;
    decltype(&curl_multi_remove_handle) multi_remove_handle;
    decltype(&curl_multi_cleanup) multi_cleanup;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
};

// libcurl.so.4, loaded and initialised once; nullptr when it cannot be.
const CurlLibrary* LoadCurl();
