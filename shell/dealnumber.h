// Deal numbers as the player types them: 0 to 4294967295, digits only.
#pragma once

#include <QString>
#include <QValidator>

#include <cstdint>
#include <optional>

namespace dealnumber {

std::optional<std::uint32_t> parse(const QString& text);

// Lets through only what can still become a deal number.
class Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace dealnumber
