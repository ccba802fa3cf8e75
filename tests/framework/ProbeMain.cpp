// A program on the framework whose InitInstance reports what the toolkit
// was given, for the entry's tests.
#include <QCoreApplication>
#include <cstdio>

#include "CWinApp.h"

class CProbeApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        std::printf("arguments: %d, name: %s\n", static_cast<int>(QCoreApplication::arguments().size()),
                    m_pszAppName);
        return FALSE;
    }
};

CProbeApp theProbe;

int main(int argc, char* argv[])
{
    return AfxWinMain(argc, argv);
}
