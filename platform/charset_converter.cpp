#include "platform/charset_converter.h"

#include <iconv.h>

#include <QByteArray>
#include <cerrno>
#include <cstdint>

namespace cartulo::platform {

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

std::optional<std::string> convert(void* descriptor, std::string_view in) {
    auto* cd = static_cast<iconv_t>(descriptor);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
    std::string out(in.size() * 4 + 16, '\0');
    char* inAt = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    // The last pass, with no input, writes what a stateful encoding still owes.
    for (bool flushing = false;;) {
        const std::size_t done = flushing ? iconv(cd, nullptr, nullptr, &outAt, &outLeft)
                                          : iconv(cd, &inAt, &inLeft, &outAt, &outLeft);
        if (done == kFailed && errno == E2BIG) {
            const auto used = static_cast<std::size_t>(outAt - out.data());
            out.resize(out.size() * 2);
            outAt = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // Irreversible conversions are stand-ins, as bad as a failure here.
        if (done != 0) return std::nullopt;
        if (flushing) break;
        flushing = true;
    }
    out.resize(static_cast<std::size_t>(outAt - out.data()));
    return out;
}

}  // namespace

void CharsetConverter::Closer::operator()(void* descriptor) const {
    iconv_close(static_cast<iconv_t>(descriptor));
}

std::optional<CharsetConverter> CharsetConverter::Open(const std::string& encoding) {
    const iconv_t to = iconv_open(encoding.c_str(), "UTF-8");
    if (to == kNoDescriptor) return std::nullopt;
    Descriptor toEncoding(to);
    const iconv_t from = iconv_open("UTF-8", encoding.c_str());
    if (from == kNoDescriptor) return std::nullopt;
    return CharsetConverter(std::move(toEncoding), Descriptor(from));
}

std::optional<std::string> CharsetConverter::Encode(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return convert(to_.get(), std::string_view(utf8.constData(), utf8.size()));
}

std::optional<QString> CharsetConverter::Decode(std::string_view bytes) {
    const std::optional<std::string> utf8 = convert(from_.get(), bytes);
    if (!utf8) return std::nullopt;
    return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
}

}  // namespace cartulo::platform
