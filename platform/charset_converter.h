// Text between QString and an encoding named as iconv names it
// ("ISO8859-15", "CP1252", "UTF-8"). Qt 6.4 converts only a handful of
// encodings itself; Hunspell's dictionaries come in many more.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace cartulo::platform {

class CharsetConverter {
  public:
    // Empty when iconv does not know the encoding.
    static std::optional<CharsetConverter> Open(const std::string& encoding);

    // Empty when a character has no place in the encoding.
    std::optional<std::string> Encode(const QString& text);
    // Empty when the bytes are not text of the encoding.
    std::optional<QString> Decode(std::string_view bytes);

  private:
    struct Closer {
        void operator()(void* descriptor) const;
    };
    using Descriptor = std::unique_ptr<void, Closer>;

    CharsetConverter(Descriptor toEncoding, Descriptor fromEncoding)
        : to_(std::move(toEncoding)), from_(std::move(fromEncoding)) {}

    Descriptor to_;
    Descriptor from_;
};

}  // namespace cartulo::platform
