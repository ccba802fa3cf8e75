#include "AfxToolkit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <csignal>
#include <cstdlib>

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool AfxHasDisplay()
{
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

AfxToolkit::AfxToolkit(const char* programPath)
    : m_program(programPath ? programPath : ""), m_argv{m_program.data(), nullptr}
{
    // Qt reads options (-style, -platform, ...) from its arguments; it gets
    // none of the user's.
    m_application = std::make_unique<QApplication>(m_argc, m_argv);
    // A FIFO whose reader goes away must fail the write, not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (m_translator.load(QLocale(QLocale::German), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&m_translator);
}

AfxToolkit::~AfxToolkit()
{
    QApplication::removeTranslator(&m_translator);
}
