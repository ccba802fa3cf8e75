#include "OutputTemporaries.h"

#include <chrono>
#include <thread>

#include "PathText.h"

std::vector<std::string> OutputTemporaries(const std::filesystem::path& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = TextOf(entry.path().filename());
        if (name.rfind(".out.txt.", 0) == 0)
            found.push_back(name);
    }
    return found;
}

bool WaitForRecordsInATemporary(const std::filesystem::path& folder)
{
    for (int i = 0; i < 1000; ++i) {
        for (const std::string& name : OutputTemporaries(folder)) {
            std::error_code error;
            if (std::filesystem::file_size(folder / PathOf(name), error) > 0)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}
