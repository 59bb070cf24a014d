#include "export/site_files.h"

namespace cartulo::exporting {

std::string_view StyleSheet() {
    // The card engine's defaults: Arial 12 pt, justified, margins of 10 pt
    // (6 pt on a paragraph's first line), 30 pt on the right, 6 pt below.
    return R"(body { font-family: Arial, "Liberation Sans", sans-serif; font-size: 12pt; margin: 1em auto; max-width: 50em; color: #000; background: #fff; }
nav { font-size: 10pt; margin-bottom: 1em; }
h1 { font-size: 16pt; margin: 0 0 .5em 10pt; }
.ficha { padding: 4pt 0; }
.ficha p { margin: 0 30pt 6pt 10pt; text-indent: -4pt; text-align: justify; }
.ficha a, .emergente { color: #00f; text-decoration: underline; }
.roto { text-decoration: underline dotted; }
.marca { color: #c00; font-weight: bold; }
.falta { color: #c00; border: 1px dashed #c00; padding: 0 2px; }
.error { color: #c00; font-family: monospace; }
.tab { display: inline-block; width: 2em; }
.hueco, .objeto { display: inline-block; }
.objeto { border: 1px dotted #888; vertical-align: bottom; }
.izquierda { float: left; margin: 0 6pt 2pt 0; }
.derecha { float: right; margin: 0 0 2pt 6pt; }
.marco { display: block; margin: 4pt 30pt 6pt 10pt; padding: 2pt; }
.tabla { border-collapse: collapse; margin: 4pt 30pt 6pt 10pt; }
.tabla td { padding: 2pt 4pt; vertical-align: middle; }
footer { margin-top: 2em; border-top: 1px solid #ccc; font-size: 10pt; }
#buscar { width: 100%; font-size: 12pt; padding: 4px; box-sizing: border-box; }
.indice { columns: 14em; }
)";
}

std::string_view SearchScript() {
    // Plain script over the word list of palabras.js, loaded with <script
    // src> beside it: a page opened from disk may not fetch its neighbours.
    return R"((function () {
  "use strict";
  var box = document.getElementById("buscar");
  var list = document.getElementById("resultados");
  if (!box || !list || typeof PALABRAS === "undefined") return;
  function fold(text) {
    return text.toLowerCase().normalize("NFD").replace(/[\u0300-\u036f]/g, "");
  }
  function find(query) {
    var terms = fold(query).split(/[^0-9a-z\u00c0-\uffff]+/).filter(function (t) { return t; });
    if (!terms.length) return [];
    var found = null;
    terms.forEach(function (term, i) {
      var pages = {};
      Object.keys(PALABRAS.words).forEach(function (word) {
        // The last word may still be being typed.
        if (word === term || (i === terms.length - 1 && word.indexOf(term) === 0))
          PALABRAS.words[word].forEach(function (p) { pages[p] = true; });
      });
      found = found === null ? pages : Object.keys(found).reduce(function (both, p) {
        if (pages[p]) both[p] = true;
        return both;
      }, {});
    });
    return Object.keys(found).map(Number).sort(function (a, b) { return a - b; });
  }
  box.addEventListener("input", function () {
    while (list.firstChild) list.removeChild(list.firstChild);
    find(box.value).forEach(function (p) {
      var item = document.createElement("li");
      var link = document.createElement("a");
      link.href = PALABRAS.pages[p][0];
      link.textContent = PALABRAS.pages[p][1];
      item.appendChild(link);
      list.appendChild(item);
    });
  });
})();
)";
}

std::string Page(std::string_view title, std::string_view body) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>";
    page += title;
    page += "</title>\n<link rel=\"stylesheet\" href=\"";
    page += kStyleSheet;
    page += "\">\n</head>\n<body>\n";
    page += body;
    page += "</body>\n</html>\n";
    return page;
}

}  // namespace cartulo::exporting
