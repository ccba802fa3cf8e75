#include "ConversionMessages.h"

std::string ConversionMessages::Converted(std::int64_t recordCount)
{
    return std::to_string(recordCount) + " Eintr\xE4ge konvertiert";
}

std::string ConversionMessages::ForResult(const ConversionResult& result)
{
    switch (result.status) {
    case ConversionStatus::Ok: return Converted(result.recordCount);
    case ConversionStatus::InputOpenFailed: return kInputOpenFailed;
    case ConversionStatus::OutputOpenFailed: return kOutputOpenFailed;
    case ConversionStatus::InputReadFailed: return kInputReadFailed;
    case ConversionStatus::OutputWriteFailed: return kOutputWriteFailed;
    }
    return kInputReadFailed;  // not reached: every status is listed above
}
