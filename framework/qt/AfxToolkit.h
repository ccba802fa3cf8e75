// Starting the toolkit: one application object, German texts.
#pragma once

#include <QTranslator>
#include <memory>
#include <string>

class QApplication;

// The Qt application for the lifetime of this object, with the program's
// path as its only argument, and Qt's own texts in German.
class AfxToolkit {
public:
    explicit AfxToolkit(const char* programPath);
    ~AfxToolkit();
    AfxToolkit(const AfxToolkit&) = delete;
    AfxToolkit& operator=(const AfxToolkit&) = delete;

private:
    std::string m_program;
    int m_argc = 1;
    char* m_argv[2];
    std::unique_ptr<QApplication> m_application;
    QTranslator m_translator;
};

// Whether a graphical display can be reached: a display server named in the
// environment, or a platform chosen explicitly (as tests do).
bool AfxHasDisplay();
