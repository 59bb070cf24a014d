// ctu export: the site and the notes it writes, read back by the tools
// other people would read them with.
#include <QImage>

#include <cstdlib>
#include <filesystem>

#include "cli_fixture.h"

namespace {

bool haveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// The status a shell command ended with.
int shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ExportTest : public CliTest {};

TEST_F(ExportTest, ExampleSitePassesTheValidator) {
    if (!haveTool("tidy")) GTEST_SKIP() << "tidy is not installed";
    const std::string site = dir.path("sitio");
    okOut({"export", CARTULO_EXAMPLES "/Bienvenida.ctu", "--html", site});
    int pages = 0;
    for (const auto& item : std::filesystem::directory_iterator(site)) {
        if (item.path().extension() != ".html") continue;
        ++pages;
        // tidy: 1 warnings, 2 errors.
        EXPECT_LT(shell("tidy -errors -q '" + item.path().string() + "' >/dev/null 2>&1"), 2)
            << item.path();
    }
    EXPECT_GT(pages, 10);
    EXPECT_NE(readBytes(site + "/index.html").find("<script src=\"palabras.js\"></script>"),
              std::string::npos);
}

TEST_F(ExportTest, MarkdownKeepsTextLinksAndEntries) {
    writeCardFile({{"Uno",
                    "a *b* _c_ [d] e\r\n# f\r\n- g\r\n\xABUno\xBB y {L:dos: \"x\",la "
                    "dos}\r\n{L:Dos,ver *a* <img src=x>} {L:<b>,c}"},
                   {"dos: \"x\"", "{Q:rojo}roja {GI:p.png,1}"},
                   {"Dos\x7F\x81", "x"}});
    QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(dir.path("p.png")));
    const std::string notes = dir.path("notas");
    okOut({"export", file, "--markdown", notes});
    const std::string uno = readBytes(notes + "/uno.md");
    EXPECT_TRUE(uno.starts_with("---\nentry: \"Uno\"\naliases: []\n---\n")) << uno;
    EXPECT_NE(uno.find("[[uno|Uno]] y [[dos-x|la dos]]"), std::string::npos) << uno;
    const std::string dos = readBytes(notes + "/dos-x.md");
    EXPECT_NE(dos.find("entry: \"dos: \\\"x\\\"\""), std::string::npos) << dos;
    EXPECT_NE(dos.find("roja ![p.png](<p.png>)<!-- {GI:p.png,1} --><!-- {Q:rojo} -->"),
              std::string::npos)
        << dos;
    EXPECT_NE(readBytes(notes + "/dos.md").find("entry: \"Dos\\x7F\\x81\""), std::string::npos);
    if (!haveTool("cmark")) GTEST_SKIP() << "cmark is not installed";
    const std::string html = dir.path("uno.html");
    ASSERT_EQ(shell("cmark '" + notes + "/uno.md' > '" + html + "'"), 0);
    const std::string read = readBytes(html);
    EXPECT_NE(read.find("<p>a *b* _c_ [d] e</p>"), std::string::npos) << read;
    EXPECT_NE(read.find("<p># f</p>"), std::string::npos) << read;
    EXPECT_NE(read.find("<p>- g</p>"), std::string::npos) << read;
    EXPECT_NE(read.find("[[Dos|ver *a* &lt;img src=x&gt;]] [[&lt;b&gt;|c]]"), std::string::npos)
        << read;
    ASSERT_EQ(shell("cmark --unsafe '" + notes + "/dos-x.md' > '" + html + "'"), 0);
    EXPECT_NE(readBytes(html).find("<p>roja"), std::string::npos) << readBytes(html);
}

TEST_F(ExportTest, NamesPicturesAndLinksAreReported) {
    QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(dir.path("fuera.png")));
    std::filesystem::create_directory(dir.path("fichas"));
    QImage(4, 4, QImage::Format_RGB32)
        .save(QString::fromStdString(dir.path("fichas/x.html")), "BMP");
    file = dir.path("fichas/f.ctu");
    writeCardFile(
        {{"Casa", "\253Casa\xBB \xABNadie\xBB {G:falta.png} {G:../fuera.png} {G:x.html} <b>&"},
         {"C\xE1sa", "\253casa\xBB"},
         {"CON", "x"},
         {"a/b", "{N}"}});
    const std::string site = dir.path("sitio");
    const std::string out = okOut({"export", file, "--html", site});
    EXPECT_NE(
        out.find(
            "Exportadas 5 fichas: 2 imágenes copiadas, 0 fórmulas y dibujos, 1 enlaces rotos, 1 "
            "imágenes que faltan, 1 imágenes de fuera de la carpeta, 2 nombres cambiados."),
        std::string::npos)
        << out;
    for (const char* name :
         {"casa.html", "casa-2.html", "con-ficha.html", "a-b.html", "fuera.png", "x.bmp"})
        EXPECT_TRUE(std::filesystem::exists(site + "/" + name)) << name;
    const std::string casa = readBytes(site + "/casa.html");
    EXPECT_NE(casa.find("&lt;b&gt;&amp;"), std::string::npos);
    EXPECT_NE(casa.find("<span class=\"roto\">Nadie</span>"), std::string::npos);
    // Backlinks: itself and its accented namesake.
    EXPECT_NE(casa.find("<li><a href=\"casa.html\">Casa</a></li>\n<li><a href=\"casa-2.html\">"),
              std::string::npos)
        << casa;
}

TEST_F(ExportTest, HostileNamesStayText) {
    writeCardFile(
        {{"Uno",
          "{O:40,40,drawscript}'a\"/><script>x</script>' setfontname 'b' "
          "print{/O}\xBFQu\xE9?\240casa \253dos\xBB"},
         {"Dos {L:Uno,x}", "\253Dos {L:Uno,x}\xBB\r\n{TB:1,1}{FR:0,0,0,0}a\r\nb{/FR}{\\}"},
         {"Tres",
          "{TB:2,1}\xABTres\xBB "
          "\xABTres\xBB{!}{FR:0,0,0,0}\xABTres\xBB{/FR}{\\}\r\n\xABTres\r\nx\xBB"}});
    const std::string site = dir.path("sitio");
    okOut({"export", file, "--html", site});
    const std::string svg = readBytes(site + "/uno-dibujo.svg");
    EXPECT_EQ(svg.find("<script"), std::string::npos) << svg;
    EXPECT_NE(svg.find("font-family=\"ascriptxscript\""), std::string::npos) << svg;
    const std::string dos = readBytes(site + "/dos-l-uno-x.html");
    EXPECT_NE(dos.find("<a href=\"dos-l-uno-x.html\">Dos x</a>"), std::string::npos) << dos;
    EXPECT_NE(dos.find("<span class=\"marco\">a<br>b</span>"), std::string::npos) << dos;
    // Links are what the link reader finds, in pages and notes alike.
    const std::string tres = readBytes(site + "/tres.html");
    EXPECT_NE(tres.find("<a href=\"tres.html\">Tres</a> \xC2\xABTres\xC2\xBB</td>"),
              std::string::npos)
        << tres;
    EXPECT_NE(tres.find("<span class=\"roto\">x</span>"), std::string::npos) << tres;
    okOut({"export", file, "--markdown", dir.path("notas")});
    EXPECT_NE(readBytes(dir.path("notas/tres.md")).find("[[tres]]<!-- {TB:"), std::string::npos);
    const std::string words = readBytes(site + "/palabras.js");
    for (const char* word : {"\"que\": [", "\"casa\": [", "\"dos\": ["})
        EXPECT_NE(words.find(word), std::string::npos) << word << words;
}

TEST_F(ExportTest, FoldersAreRefusedOrKept) {
    writeCardFile({{"Uno", "x"}});
    const std::string site = dir.path("sitio");
    std::filesystem::create_directory(site);
    writeBytes(site + "/mio.txt", "mio");
    writeBytes(site + "/uno.html", "mio también");
    const auto refused = ctu({"export", file, "--html", site});
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_NE(refused.err.find("ya tiene otros ficheros"), std::string::npos);
    okOut({"export", file, "--html", site, "--force"});
    EXPECT_EQ(readBytes(site + "/mio.txt"), "mio");
    EXPECT_EQ(readBytes(site + "/uno.html"), "mio también");
    EXPECT_TRUE(std::filesystem::exists(site + "/uno-2.html"));
    // What an export wrote it may write again; the user's files stay.
    okOut({"export", file, "--html", site, "--force"});
    EXPECT_EQ(ctu({"export", file, "--html", site}).exitCode, 4);
    // A list naming files the export did not leave so is not believed.
    const std::string list = site + "/.cartulo-exportacion";
    writeBytes(list, readBytes(list) + "mio.txt\nmio.txt\t3\t0\n");
    writeBytes(site + "/uno-2.html", "cambiado");
    okOut({"export", file, "--html", site, "--force"});
    EXPECT_EQ(readBytes(site + "/mio.txt"), "mio");
    EXPECT_EQ(readBytes(site + "/uno-2.html"), "cambiado");

    const auto unwritable = ctu({"export", file, "--html", file + "/sitio"});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_NE(unwritable.err.find("No se puede escribir en la carpeta"), std::string::npos);
    EXPECT_EQ(ctu({"export", file}).exitCode, 1);
}

}  // namespace
