#include "export/site_export.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include <QFile>
#include <QImageReader>

#include "engine/win1252.h"
#include "export/card_html.h"
#include "export/card_markdown.h"
#include "export/export_folder.h"
#include "export/file_names.h"
#include "export/site_files.h"
#include "export/svg_drawing.h"
#include "export/word_index.h"
#include "platform/qt_picture.h"
#include "richtext/card_links.h"
#include "richtext/tag_params.h"
#include "windows/index_search.h"

namespace cartulo::exporting {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarkdownIndex = "index.md";

struct CardPage {
    CardId card = kNoCard;
    std::string entry;  // Windows-1252
    std::string file;
    bool main = false;
};

std::string inQuotes(std::string_view cp1252) {
    return "\xC2\xAB" + win1252::toUtf8(cp1252) + "\xC2\xBB";
}

// The extension of the format the picture holds, whatever its name says:
// a name's own extension could be anything a browser would run.
std::string pictureExtension(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return ".img";
    const QByteArray format = QImageReader::imageFormat(&file);
    if (format == "jpeg" || format == "jpg") return ".jpg";
    for (const char* known : {"png", "gif", "bmp", "ico", "webp", "tiff"})
        if (format == known) return "." + format.toStdString();
    return ".img";
}

// Everything one export shares: the pages' names, the links between them,
// the pictures copied and the SVG made so far.
class Site : public HtmlHost, public MarkdownHost {
  public:
    Site(const cCartulo& file, const ExportOptions& options, ExportFolder& folder,
         ExportReport& report)
        : file_(file),
          options_(options),
          folder_(folder),
          report_(report),
          base_(
              fs::path(file.GetBasePath().empty() ? "." : file.GetBasePath()).lexically_normal()) {}

    void Run();

    std::optional<std::string> LinkHref(std::string_view target) override;
    std::optional<std::string> LinkStem(std::string_view target) override;
    std::optional<std::string> PictureSrc(std::string_view name) override;
    std::optional<EmbeddedImage> Formula(std::string_view formula, const FontState& font,
                                         Color color) override;
    std::optional<EmbeddedImage> Drawing(std::string_view script, double width,
                                         double height) override;

  private:
    bool html() const { return options_.format == ExportFormat::Html; }
    void namePages();
    const CardPage* pageOf(std::string_view target);
    std::optional<std::string> writeSvg(const SvgImage& image, const char* kind);
    std::string backlinks(const CardPage& page) const;
    std::string htmlPage(const CardPage& page, WordIndex& words);
    std::string markdownPage(const CardPage& page);
    void fail(const std::string& what);

    const cCartulo& file_;
    const ExportOptions& options_;
    ExportFolder& folder_;
    ExportReport& report_;
    fs::path base_;
    FileNames names_;
    std::vector<CardPage> pages_;  // the index's order, the main card first
    std::map<CardId, std::size_t> pageIndex_;
    std::map<CardId, std::set<std::size_t>> linkedFrom_;
    std::vector<std::vector<CardLink>> links_;  // each page's card's
    const CardPage* current_ = nullptr;
    std::map<std::string, std::optional<std::string>> pictures_;
    std::map<std::tuple<std::string, std::string, double, bool, bool, Color>, EmbeddedImage>
        formulas_;
    bool failed_ = false;
};

void Site::fail(const std::string& what) {
    if (failed_) return;
    failed_ = true;
    report_.outcome = ExportReport::Outcome::CannotWrite;
    report_.message = "No se puede escribir en la carpeta " + folder_.Path() + ": " + what;
}

void Site::namePages() {
    for (const std::string_view own : {kIndexPage, kStyleSheet, kSearchScript, kWordsScript,
                                       kMarkdownIndex, ExportFolder::kListName})
        names_.Reserve(own);
    for (const std::string& other : folder_.OtherFiles()) names_.Reserve(other);

    std::vector<std::pair<std::string, CardPage>> keyed;
    for (const CardListItem& item : file_.GetCrdList(true)) {
        CardPage page;
        page.card = item.card;
        page.main = item.card == file_.GetMain();
        page.entry = page.main ? std::string() : file_.GetNtry(item.card);
        std::string key = page.main ? std::string() : windows::ClaveOrden(page.entry);
        key += '\0';
        key += page.entry;
        keyed.emplace_back(std::move(key), std::move(page));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.second.main != b.second.main) return a.second.main;
        return a.first < b.first;
    });
    const std::string extension = html() ? ".html" : ".md";
    for (auto& [key, page] : keyed) {
        if (page.main) {
            page.file = std::string(html() ? kIndexPage : kMarkdownIndex);
        } else {
            page.file = names_.Claim(page.entry, extension);
            const std::string plain = PlainStem(page.entry);
            if (page.file != plain + extension) {
                ++report_.renamed;
                report_.lines.push_back(
                    "La ficha " + inQuotes(page.entry) + " se exporta como " + page.file +
                    (SafeStem(page.entry) != plain ? ": su nombre está reservado en Windows."
                                                   : ": su nombre choca con otro."));
            }
        }
        pageIndex_[page.card] = pages_.size();
        pages_.push_back(std::move(page));
    }
}

const CardPage* Site::pageOf(std::string_view target) {
    const CardId card = file_.SrchNtry(target);
    const auto found = pageIndex_.find(card);
    if (found == pageIndex_.end()) return nullptr;
    const CardPage& page = pages_[found->second];
    return &page;
}

std::optional<std::string> Site::LinkHref(std::string_view target) {
    const CardPage* page = pageOf(target);
    if (page) return page->file;
    ++report_.brokenLinks;
    report_.lines.push_back("Enlace roto en " + inQuotes(current_->entry) + ": " +
                            inQuotes(target));
    return std::nullopt;
}

std::optional<std::string> Site::LinkStem(std::string_view target) {
    const CardPage* page = pageOf(target);
    if (page) return fs::path(page->file).stem().string();
    ++report_.brokenLinks;
    report_.lines.push_back("Enlace roto en " + inQuotes(current_->entry) + ": " +
                            inQuotes(target));
    return std::nullopt;
}

std::optional<std::string> Site::PictureSrc(std::string_view name) {
    // As the engine finds it: under the card file's folder, even from "/".
    const fs::path path = (base_ / fs::path(name).relative_path()).lexically_normal();
    const std::string key = path.string();
    auto known = pictures_.find(key);
    if (known == pictures_.end()) {
        std::optional<std::string> src;
        const fs::path inside = path.lexically_relative(base_);
        const bool outside = inside.empty() || *inside.begin() == "..";
        if (!name.empty() && !richtext::IsNumeric(name) &&
            platform::QtPictureLoader().Load(key) != nullptr) {
            const std::string copy = names_.Claim(path.stem().string(), pictureExtension(key));
            if (folder_.Copy(key, copy)) {
                src = copy;
                ++report_.pictures;
                if (outside) {
                    ++report_.outsidePictures;
                    report_.lines.push_back("Imagen de fuera de la carpeta del fichero, copiada: " +
                                            key);
                }
            } else {
                fail(folder_.Problem());
            }
        }
        known = pictures_.emplace(key, src).first;
    }
    if (!known->second) {
        ++report_.missingPictures;
        report_.lines.push_back("Falta la imagen " + win1252::toUtf8(name) + " de " +
                                inQuotes(current_->entry));
    }
    return known->second;
}

std::optional<std::string> Site::writeSvg(const SvgImage& image, const char* kind) {
    const std::string stem = fs::path(current_->file).stem().string() + "-" + kind;
    const std::string name = names_.Claim(stem, ".svg");
    if (!folder_.Write(name, image.svg)) {
        fail(folder_.Problem());
        return std::nullopt;
    }
    ++report_.drawings;
    return name;
}

std::optional<EmbeddedImage> Site::Formula(std::string_view formula, const FontState& font,
                                           Color color) {
    const auto key =
        std::make_tuple(std::string(formula), font.name, font.size, font.bold, font.italic, color);
    if (const auto made = formulas_.find(key); made != formulas_.end()) return made->second;
    const auto svg = FormulaSvg(formula, font, color);
    if (!svg) return std::nullopt;
    const auto src = writeSvg(*svg, "formula");
    if (!src) return std::nullopt;
    const EmbeddedImage image{*src, svg->width, svg->height, svg->descent};
    formulas_.emplace(key, image);
    return image;
}

std::optional<EmbeddedImage> Site::Drawing(std::string_view script, double width, double height) {
    const SvgImage svg = DrawingSvg(script, width, height);
    const auto src = writeSvg(svg, "dibujo");
    if (!src) return std::nullopt;
    return EmbeddedImage{*src, svg.width, svg.height, 0};
}

std::string Site::backlinks(const CardPage& page) const {
    const auto from = linkedFrom_.find(page.card);
    std::string foot = "<footer>\n<h2>Enlaces a esta ficha</h2>\n";
    if (from == linkedFrom_.end())
        return foot + "<p>Ninguna ficha enlaza con esta.</p>\n</footer>\n";
    foot += "<ul>\n";
    for (const std::size_t index : from->second) {
        const CardPage& other = pages_[index];
        const std::string shown = other.main ? EscapeHtmlUtf8(win1252::toUtf8(file_.GetFileTitle()))
                                             : EscapeHtml(other.entry);
        foot += "<li><a href=\"" + EscapeHtmlUtf8(other.file) + "\">" + shown + "</a></li>\n";
    }
    return foot + "</ul>\n</footer>\n";
}

std::string Site::htmlPage(const CardPage& page, WordIndex& words) {
    const std::string title = EscapeHtml(file_.GetFileTitle());
    const CardHtml card =
        CardToHtml(file_.GetTxt(page.card), links_[pageIndex_.at(page.card)], *this);
    std::string body;
    if (page.main) {
        body += "<h1>" + title + "</h1>\n" + card.html;
        body +=
            "<section>\n<h2>Buscar</h2>\n<input type=\"search\" id=\"buscar\" "
            "placeholder=\"Palabras del texto\" aria-label=\"Buscar\">\n"
            "<ul id=\"resultados\"></ul>\n</section>\n";
        body += "<section>\n<h2>\xC3\x8Dndice</h2>\n<ul class=\"indice\">\n";
        for (const CardPage& other : pages_) {
            if (other.main) continue;
            body += "<li><a href=\"" + EscapeHtmlUtf8(other.file) + "\">" +
                    EscapeHtml(other.entry) + "</a></li>\n";
        }
        body += "</ul>\n</section>\n";
        body += backlinks(page);
        body += "<script src=\"" + std::string(kWordsScript) + "\"></script>\n<script src=\"" +
                std::string(kSearchScript) + "\"></script>\n";
        words.Add(page.file, win1252::toUtf8(file_.GetFileTitle()), card.words);
        return Page(title, body);
    }
    const std::string entry = EscapeHtml(page.entry);
    body += "<nav><a href=\"" + std::string(kIndexPage) + "\">" + title + "</a></nav>\n";
    body += "<h1>" + entry + "</h1>\n" + card.html + backlinks(page);
    words.Add(page.file, win1252::toUtf8(page.entry),
              win1252::toUtf8(page.entry) + " " + card.words);
    return Page(entry + " - " + title, body);
}

std::string Site::markdownPage(const CardPage& page) {
    std::vector<std::string> aliases;
    for (const CardId sister : file_.GetSisters(page.card))
        if (sister != page.card && sister != file_.GetMain())
            aliases.push_back(file_.GetNtry(sister));
    return FrontMatter(page.entry, aliases) +
           CardToMarkdown(file_.GetTxt(page.card), links_[pageIndex_.at(page.card)], *this);
}

void Site::Run() {
    namePages();
    const int total = static_cast<int>(pages_.size());
    // Backlinks stand at each page's foot: every card's links are read first,
    // once, and the pages take theirs from there.
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        links_.push_back(ReadCardLinks(file_.GetTxt(pages_[i].card)));
        if (!html()) continue;
        for (const CardLink& link : links_.back()) {
            const auto to = pageIndex_.find(file_.SrchNtry(link.target));
            if (to != pageIndex_.end()) linkedFrom_[pages_[to->second].card].insert(i);
        }
    }
    WordIndex words;
    for (int i = 0; i < total && !failed_; ++i) {
        const CardPage& page = pages_[static_cast<std::size_t>(i)];
        current_ = &page;
        const std::string text = html() ? htmlPage(page, words) : markdownPage(page);
        if (!folder_.Write(page.file, text)) {
            fail(folder_.Problem());
            break;
        }
        ++report_.pages;
        if (options_.progress && !options_.progress(i + 1, total)) {
            report_.outcome = ExportReport::Outcome::Stopped;
            report_.message = "Exportación interrumpida.";
            break;
        }
    }
    if (html() && !failed_ && report_.outcome == ExportReport::Outcome::Done) {
        if (!folder_.Write(kStyleSheet, StyleSheet()) ||
            !folder_.Write(kSearchScript, SearchScript()) ||
            !folder_.Write(kWordsScript, words.Script()))
            fail(folder_.Problem());
    }
    // Whatever was written is recorded as the export's, even after a failure;
    // only a finished export drops the files it no longer makes.
    const bool complete = !failed_ && report_.outcome == ExportReport::Outcome::Done;
    if (!folder_.Finish(complete)) fail(folder_.Problem());
}

}  // namespace

std::string ExportReport::Summary() const {
    return "Exportadas " + std::to_string(pages) + " fichas: " + std::to_string(pictures) +
           " imágenes copiadas, " + std::to_string(drawings) + " fórmulas y dibujos, " +
           std::to_string(brokenLinks) + " enlaces rotos, " + std::to_string(missingPictures) +
           " imágenes que faltan, " + std::to_string(outsidePictures) +
           " imágenes de fuera de la carpeta, " + std::to_string(renamed) + " nombres cambiados.";
}

ExportReport ExportCards(const cCartulo& file, const ExportOptions& options) {
    ExportReport report;
    ExportFolder folder;
    switch (folder.Open(options.folder, options.force)) {
        case ExportFolder::Opening::CannotWrite:
            report.outcome = ExportReport::Outcome::CannotWrite;
            report.message =
                "No se puede escribir en la carpeta " + options.folder + ": " + folder.Problem();
            return report;
        case ExportFolder::Opening::HoldsOtherFiles:
            report.outcome = ExportReport::Outcome::HoldsOtherFiles;
            report.message =
                "La carpeta " + options.folder +
                " ya tiene otros ficheros; con --force se exporta en ella sin borrarlos.";
            return report;
        case ExportFolder::Opening::Ready:
            break;
    }
    Site(file, options, folder, report).Run();
    return report;
}

}  // namespace cartulo::exporting
