#include "richtext/tag_kind.h"

#include <array>
#include <cstdint>
#include <utility>

namespace cartulo::richtext {

namespace {

constexpr std::array<std::pair<std::string_view, TagKind>, 45> kNames{{
    {"N", TagKind::Bold},          {"N:", TagKind::Bold},         {"C", TagKind::Italic},
    {"C:", TagKind::Italic},       {"U", TagKind::Underline},     {"U:", TagKind::Underline},
    {"Q", TagKind::Color},         {"Q:", TagKind::Color},        {"F", TagKind::Font},
    {"F:", TagKind::Font},         {"T", TagKind::Size},          {"T:", TagKind::Size},
    {"J", TagKind::Align},         {"J:", TagKind::Align},        {"MI:", TagKind::LeftMargin},
    {"MP:", TagKind::FirstMargin}, {"MD:", TagKind::RightMargin}, {"MU:", TagKind::ParagraphSpace},
    {"TA:", TagKind::Tab},         {"HD:", TagKind::HSpace},      {"SP:", TagKind::HSpaceUnits},
    {"VS:", TagKind::Strut},       {"VD:", TagKind::MoveDown},    {"ID:", TagKind::Subscript},
    {"IU:", TagKind::Superscript}, {"SY:", TagKind::Symbol},      {"@", TagKind::Expression},
    {"G:", TagKind::Picture},      {"GI:", TagKind::PictureLeft}, {"GD:", TagKind::PictureRight},
    {"B:", TagKind::Button},       {"H:", TagKind::PictureMap},   {"S:", TagKind::Sound},
    {"L:", TagKind::Link},         {"P:", TagKind::Popup},        {"FO:", TagKind::Formula},
    {"O:", TagKind::Object},       {"FR:", TagKind::Frame},       {"W:", TagKind::Background},
    {"TB:", TagKind::Table},       {"!", TagKind::CellEnd},       {"-", TagKind::RowEnd},
    {"\\", TagKind::TableEnd},     {"/O", TagKind::ObjectEnd},    {"/FR", TagKind::FrameEnd},
}};

// Every name is one to three characters: a name as one number, its length
// and its letters in capitals, is found without comparing strings (painting
// asks for the kind of every tag of every line).
constexpr std::size_t kLongestName = 3;

constexpr std::uint32_t nameKey(std::string_view name) {
    std::uint32_t key = static_cast<std::uint32_t>(name.size());
    for (const char c : name) {
        key = key << 8 | static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return key;
}

static_assert([] {
    for (const auto& name : kNames) {
        if (name.first.empty() || name.first.size() > kLongestName) return false;
    }
    return true;
}());

constexpr auto kKeys = [] {
    std::array<std::pair<std::uint32_t, TagKind>, kNames.size()> keys{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        keys[i] = {nameKey(kNames[i].first), kNames[i].second};
    }
    return keys;
}();

}  // namespace

TagKind KindOfTag(std::string_view name) {
    if (name.empty() || name.size() > kLongestName) return TagKind::Unknown;
    const std::uint32_t key = nameKey(name);
    for (const auto& [known, kind] : kKeys) {
        if (known == key) return kind;
    }
    return TagKind::Unknown;
}

bool HasValue(std::string_view name) {
    return name.ends_with(':');
}

}  // namespace cartulo::richtext
