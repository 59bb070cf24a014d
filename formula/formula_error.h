// The one way a formula fails: an error with number -1 and a Spanish
// description, which the host words as "Error de fórmula: " + description.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace cartulo {

class FormulaError : public std::runtime_error {
  public:
    // The description is Windows-1252, like every string of a formula.
    explicit FormulaError(const std::string& description) : std::runtime_error(description) {}

    static constexpr int kNumber = -1;
    int Number() const { return kNumber; }
    std::string_view Description() const { return what(); }
};

// The descriptions, Windows-1252.
namespace formula_errors {
inline constexpr std::string_view kSyntax = "Error de sintaxis: ";
inline constexpr std::string_view kUnclosed = "Error de sintaxis: corchete no cerrado.";
inline constexpr std::string_view kMissingComma = "Error de sintaxis: falta una coma.";
inline constexpr std::string_view kUnknown = "Figura no reconocida: @";
inline constexpr std::string_view kNestedMatrix = "No se permiten matrices recursivas.";
// Not raised by the notation's own rules: the limits this typesetter keeps.
inline constexpr std::string_view kMatrixSize =
    "Matriz no v\xE1lida: columnas y filas deben ir de 1 a 100.";
inline constexpr std::string_view kTooDeep = "F\xF3rmula demasiado anidada.";
inline constexpr std::string_view kNoSurface = "No hay superficie de dibujo.";
}  // namespace formula_errors

[[noreturn]] void RaiseFormulaError(std::string_view description);

}  // namespace cartulo
