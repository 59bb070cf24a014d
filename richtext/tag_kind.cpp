#include "richtext/tag_kind.h"

#include <array>
#include <utility>

#include "richtext/tag_params.h"

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

}  // namespace

TagKind KindOfTag(std::string_view name) {
    for (const auto& [known, kind] : kNames) {
        if (EqualsNoCase(name, known)) return kind;
    }
    return TagKind::Unknown;
}

bool HasValue(std::string_view name) {
    return name.ends_with(':');
}

}  // namespace cartulo::richtext
