#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

#include "PasswordPrompt.h"

namespace {

// Restores the terminal's echo however the prompt ends.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd)
    {
        m_saved = ::tcgetattr(fd, &m_old) == 0;
        if (m_saved) {
            termios quiet = m_old;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            quiet.c_lflag |= ECHONL;
            ::tcsetattr(fd, TCSAFLUSH, &quiet);
        }
    }
    ~EchoOff()
    {
        if (m_saved)
            ::tcsetattr(m_fd, TCSAFLUSH, &m_old);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_fd;
    termios m_old{};
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
    const int tty = ::open("/dev/tty", O_WRONLY | O_CLOEXEC);
    const std::string prompt = "Kennwort f\xC3\xBCr die FritzBox " + address + ": ";
    if (tty >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(tty, prompt.data(), prompt.size());
        ::close(tty);
    }
    EchoOff echoOff(STDIN_FILENO);
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
