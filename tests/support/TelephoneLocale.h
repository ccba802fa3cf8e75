// The user's country as a test sets it.
//
// On Linux the country is the telephone locale: TelephoneLocale sets
// LC_TELEPHONE in this process's environment and takes LC_ALL away (which
// would decide over it) for its lifetime. Under Wine the country is the
// home region, which follows the LANG a program starts with: the test
// presets give de_DE.UTF-8, and a test that needs another country is
// registered with its own LANG (tests/conversion/CMakeLists.txt).
#pragma once

#ifndef _WIN32
#include <cstdlib>
#include <optional>
#include <string>

class TelephoneLocale {
public:
    explicit TelephoneLocale(const char* locale)
    {
        unsetenv("LC_ALL");
        setenv("LC_TELEPHONE", locale, 1);
    }
    ~TelephoneLocale()
    {
        Restore("LC_ALL", m_all);
        Restore("LC_TELEPHONE", m_telephone);
    }
    TelephoneLocale(const TelephoneLocale&) = delete;
    TelephoneLocale& operator=(const TelephoneLocale&) = delete;

private:
    static std::optional<std::string> Saved(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

    const std::optional<std::string> m_all = Saved("LC_ALL");
    const std::optional<std::string> m_telephone = Saved("LC_TELEPHONE");
};

// A German system's: what the dialog tests assume.
struct GermanTelephone : TelephoneLocale {
    GermanTelephone() : TelephoneLocale("de_DE.UTF-8") {}
};
#else
// Under Wine the test presets' LANG makes the home region Germany: nothing
// to set (the constructor of its own keeps it a variable worth declaring).
struct GermanTelephone {
    GermanTelephone() {}
};
#endif
