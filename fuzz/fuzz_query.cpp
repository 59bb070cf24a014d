// The query language on arbitrary text: every query gives a result, the
// results are cards of the file in card-list order, and a query asked twice
// gives the same cards (the cache must describe what was parsed).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cartulo.h"
#include "engine/query.h"

namespace {

using cartulo::CardId;
using cartulo::cCartulo;

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

cCartulo& SampleFile() {
    static cCartulo* file = [] {
        auto* f = new cCartulo;
        f->NewFile("Muestra");
        const char* cards[][2] = {
            {"Casa", "Casa, dulce hogar.\r\nTel: 555\r\nCiudad: Le\xF3n"},
            {"Perro", "El perro de la casa"},
            {"Canci\xF3n", "\xBFQui\xE9n canta? \xA1La CANCI\xD3N!"},
            {" oculta", "t: s: k: ntry: -x"},
        };
        for (const auto& c : cards) f->SetTxt(f->NewCard(c[0]), c[1]);
        f->NewAlias(f->SrchNtry("Casa"), "Hogar");
        return f;
    }();
    return *file;
}

std::vector<CardId> Results(cCartulo& file, std::string_view query,
                            const std::vector<std::size_t>& unmatchable = {}) {
    std::vector<CardId> hits;
    CardId c = file.FindFirst(query, unmatchable);
    while (c != cartulo::kNoCard) {
        Require(hits.size() <= static_cast<std::size_t>(file.CardCount()));
        hits.push_back(c);
        c = file.FindNext(c);
    }
    return hits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const cartulo::ParsedQuery parsed = cartulo::ParseQuery(input);
    const int low = parsed.mode & 0xFF;
    Require(parsed.mode == cartulo::kModeInvalid || low <= cartulo::kModeFields);
    for (const auto& term : parsed.terms) Require(!term.word.empty());

    cCartulo& file = SampleFile();
    const std::vector<CardId> first = Results(file, input);
    file.FindFirst("casa");  // another query in between
    Require(Results(file, input) == first);
    if (parsed.mode == cartulo::kModeInvalid) Require(first.empty());

    // Bytes 0x7F stand for characters outside the code page: the query reads
    // as if a letter were there, and the result stays the same when asked again.
    std::vector<std::size_t> marks;
    std::string neutral(input);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != 0x7F) continue;
        marks.push_back(i);
        neutral[i] = 'x';
    }
    const cartulo::ParsedQuery marked = cartulo::ParseQuery(input, marks);
    const cartulo::ParsedQuery plain = cartulo::ParseQuery(neutral);
    Require(marked.mode == plain.mode && marked.terms.size() == plain.terms.size());
    for (std::size_t i = 0; i < marked.terms.size(); ++i) {
        Require(marked.terms[i].word == plain.terms[i].word &&
                marked.terms[i].field == plain.terms[i].field &&
                marked.terms[i].op == plain.terms[i].op);
    }
    const std::vector<CardId> markedFirst = Results(file, input, marks);
    Require(Results(file, input, marks) == markedFirst);

    // FindWord with the first half as the text and the rest as the word.
    const std::string_view text = input.substr(0, size / 2), word = input.substr(size / 2);
    const std::int32_t at = file.FindWord(text, word, 1);
    Require(at == 0 || (at >= 1 && static_cast<std::size_t>(at) + word.size() - 1 <= text.size()));
    return 0;
}
