#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iterator>

#include "PasswordPrompt.h"

namespace {

// The terminal's settings before the prompt, for the signal handler.
termios g_saved{};
int g_savedFd = -1;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Ctrl+C at the prompt must not leave the terminal without echo: restore it,
// then die by the same signal (tcsetattr may be called in a handler).
extern "C" void RestoreAndDie(int signal)
{
    ::tcsetattr(g_savedFd, TCSAFLUSH, &g_saved);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Restores the terminal's echo however the prompt ends.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd)
    {
        m_saved = ::tcgetattr(fd, &m_old) == 0;
        if (!m_saved)
            return;
        g_saved = m_old;
        g_savedFd = fd;
        struct sigaction action {};
        action.sa_handler = &RestoreAndDie;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
            ::sigaction(kEndingSignals[i], &action, &m_previous[i]);
        termios quiet = m_old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    ~EchoOff()
    {
        if (!m_saved)
            return;
        ::tcsetattr(m_fd, TCSAFLUSH, &m_old);
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
            ::sigaction(kEndingSignals[i], &m_previous[i], nullptr);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_fd;
    termios m_old{};
    struct sigaction m_previous[std::size(kEndingSignals)] {};
    bool m_saved = false;
};

}  // namespace

std::string FritzboxUserFromEnvironment()
{
    const char* user = std::getenv("FRITZ_USERNAME");
    return user ? user : "";
}

std::optional<std::string> FritzboxPassword(const std::string& address)
{
    if (const char* password = std::getenv("FRITZ_PASSWORD"))
        return std::string(password);
    if (!::isatty(STDIN_FILENO))
        return std::nullopt;
    // Echo goes off before the prompt shows: what is typed after it is kept.
    EchoOff echoOff(STDIN_FILENO);
    const int tty = ::open("/dev/tty", O_WRONLY | O_CLOEXEC);
    const std::string prompt = "Kennwort f\xC3\xBCr die FritzBox " + address + ": ";
    if (tty >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(tty, prompt.data(), prompt.size());
        ::close(tty);
    }
    std::string password;
    char c = 0;
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got <= 0)
            return std::nullopt;
        if (c == '\n')
            return password;
        password += c;
    }
}
