#include "big_file.h"

#include "card_file_writer.h"
#include "spanish_text.h"

namespace cartulo::bench {

long long WriteBigFile(const std::string& path) {
    constexpr long long kRecordOverhead = 2 + 5 + 2 + 18;  // fields, CR LF, a typical entry
    constexpr long long kMeanText = kBigFileBytes / kBigFileCards - kRecordOverhead;
    constexpr long long kSpread = kMeanText / 2;

    SpanishText words(20'000'000);
    CardFileWriter file(path, kBigFileCards);
    file.Add("", "Cartulo grande de prueba\r\n" + words.Text(kMeanText));
    for (int n = 1; n < kBigFileCards; ++n) {
        const auto length =
            kMeanText - kSpread + static_cast<long long>(words.Below(2 * kSpread + 1));
        file.Add(words.Entry(n), words.Text(static_cast<std::size_t>(length)));
    }
    file.Finish();
    return file.BytesWritten();
}

}  // namespace cartulo::bench
