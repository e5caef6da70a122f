// Deal numbers as the player types them.
#include "dealnumber.h"

#include <limits>

namespace dealnumber {

std::optional<std::uint32_t> parse(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c.unicode() - '0');
    }
    if (value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

QValidator::State Validator::validate(QString& input, int&) const {
    if (input.trimmed().isEmpty())
        return Intermediate;
    return parse(input) ? Acceptable : Invalid;
}

} // namespace dealnumber
