#include "drawscript/draw_script.h"

#include <algorithm>
#include <cmath>

#include "drawscript/script_number.h"
#include "drawscript/script_text.h"
#include "drawscript/tokenizer.h"

namespace cartulo {

using drawscript::FormatDouble;
using drawscript::ReadNumber;
using drawscript::Token;
using drawscript::TokenType;
using drawscript::ToSingle;

namespace {

double clampOrigin(float v) {
    if (std::isnan(v)) return 0;
    return std::clamp<double>(v, -cDrawScript::kMaxCoordinate, cDrawScript::kMaxCoordinate);
}

}  // namespace

void cDrawScript::Draw(float x, float y, float /*width*/, float /*height*/) {
    if (Surface == nullptr) return;
    x0_ = static_cast<float>(clampOrigin(x));
    y0_ = static_cast<float>(clampOrigin(y));
    stack_.Clear();
    lineWidth_ = 0;  // every paint starts without a line width of its own
    count_ = 0;
    path_[0] = PathPoint{};  // the surface's (0, 0), not the origin
    scale_ = drawscript::ScaleOf(*Surface);
    Surface->SetFillStyle(FillStyle::Solid);
    run(Prologue + " " + Script);
}

void cDrawScript::run(std::string_view text) {
    drawscript::Tokenizer tokens(text);
    do {
        const Token token = tokens.Next(true);
        switch (token.type) {
            case TokenType::Literal:
            case TokenType::Number:
            case TokenType::String:
                stack_.Push(std::string(token.text));
                break;
            case TokenType::Command:
                runCommand(token.text);
                break;
            case TokenType::Variable: {
                // Before `set` the reference itself is the operand.
                const Token next = tokens.Next(false);
                if (next.type == TokenType::Command && next.text.size() == 3 &&
                    drawscript::LowerCase(next.text) == "set") {
                    stack_.Push(std::string(token.text));
                } else {
                    stack_.Push(variables_.Get(token.text));
                }
                break;
            }
            case TokenType::End:
            case TokenType::Comment:
                break;
        }
    } while (!tokens.Remaining().empty());
}

void cDrawScript::runCommand(std::string_view word) {
    using Handler = void (cDrawScript::*)();
    struct Entry {
        std::string_view name;
        Handler run;
    };
    static constexpr Entry kCommands[] = {
        {"add", &cDrawScript::add},
        {"sub", &cDrawScript::subtract},
        {"mul", &cDrawScript::multiply},
        {"div", &cDrawScript::divide},
        {"dup", &cDrawScript::duplicate},
        {"pop", &cDrawScript::pop},
        {"swap", &cDrawScript::swap},
        {"set", &cDrawScript::set},
        {"move", &cDrawScript::move},
        {"moverel", &cDrawScript::moveRelative},
        {"line", &cDrawScript::line},
        {"linerel", &cDrawScript::lineRelative},
        {"box", &cDrawScript::box},
        {"circle", &cDrawScript::circle},
        {"close", &cDrawScript::close},
        {"stroke", &cDrawScript::stroke},
        {"fill", &cDrawScript::fill},
        {"linecolor", &cDrawScript::lineColor},
        {"fillcolor", &cDrawScript::fillColor},
        {"linewidth", &cDrawScript::lineWidth},
        {"getlinecolor", &cDrawScript::getLineColor},
        {"getfillcolor", &cDrawScript::getFillColor},
        {"getlinewidth", &cDrawScript::getLineWidth},
        {"getpos", &cDrawScript::getPosition},
        {"print", &cDrawScript::print},
        {"textwidth", &cDrawScript::textWidth},
        {"textheight", &cDrawScript::textHeight},
        {"setfontname", &cDrawScript::setFontName},
        {"setfontsize", &cDrawScript::setFontSize},
        {"setfontbold", &cDrawScript::setFontBold},
        {"setfontitalic", &cDrawScript::setFontItalic},
        {"setfontunderline", &cDrawScript::setFontUnderline},
    };
    constexpr std::size_t kLongestName = 16;  // "setfontunderline"
    if (word.size() > kLongestName) return;
    // Command words are ASCII identifiers, so ASCII lower case is enough.
    char lower[kLongestName];
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = word[i];
        lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    const std::string_view name(lower, word.size());
    for (const Entry& command : kCommands) {
        if (command.name == name) {
            (this->*command.run)();
            return;
        }
    }
    // A word that is no command (rojo, unquoted) is ignored.
}

// --- operands ---

double cDrawScript::popNumber() {
    return ReadNumber(stack_.Pop());
}

float cDrawScript::popSingle() {
    return ToSingle(popNumber());
}

void cDrawScript::pushNumber(double value) {
    stack_.Push(FormatDouble(value));
}

// --- arithmetic and the stack; the top operand is rounded to single first ---

void cDrawScript::add() {
    const double b = popSingle();
    pushNumber(popNumber() + b);
}

void cDrawScript::subtract() {
    const double b = popSingle();
    pushNumber(popNumber() - b);
}

void cDrawScript::multiply() {
    const double b = popSingle();
    pushNumber(popNumber() * b);
}

void cDrawScript::divide() {
    // By 0 only the divisor is consumed; the dividend stays.
    const double b = popSingle();
    if (b == 0) return;
    pushNumber(popNumber() / b);
}

void cDrawScript::duplicate() {
    // On an empty stack the empty string is duplicated.
    std::string top = stack_.Pop();
    stack_.Push(top);
    stack_.Push(std::move(top));
}

void cDrawScript::pop() {
    stack_.Pop();
}

void cDrawScript::swap() {
    stack_.Swap();
}

void cDrawScript::set() {
    std::string name = stack_.Pop();
    const std::string value = stack_.Pop();
    if (name.empty()) return;
    if (name[0] != ':') name.insert(0, 1, ':');
    variables_.Set(name, value);
}

}  // namespace cartulo
