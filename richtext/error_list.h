// The markup errors of one layout: distinct messages, in the order met.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cartulo::richtext {

// Spanish messages, as the user sees them.
namespace message {
inline constexpr std::string_view kUnclosedBraces = "Llaves no cerradas";
inline constexpr std::string_view kInvalidTag = "Etiqueta no v\xE1lida: ";
inline constexpr std::string_view kInvalidLink = "Referencia hipertextual no v\xE1lida";
inline constexpr std::string_view kTooManyZones = "Demasiadas zonas calientes";
inline constexpr std::string_view kInvalidColor = "Color no v\xE1lido: ";
inline constexpr std::string_view kFormulaError = "Error de f\xF3rmula: ";
inline constexpr std::string_view kObjectWithoutStart = "Objeto sin etiqueta de inicio";
inline constexpr std::string_view kObjectError = "Error de objeto: ";
inline constexpr std::string_view kFrameWithoutStart = "Marco sin etiqueta de inicio";
inline constexpr std::string_view kTooManyErrors = "Demasiados errores";
}  // namespace message

// At most kMaxErrors messages, each once (compared without letter case).
// Indexes are 0-based: Errors(0) to Errors(Count() - 1). Once the list is
// full, the next new message turns the last one, Errors(99), into
// "Demasiados errores"; the count stays 100.
class ErrorList {
  public:
    static constexpr std::size_t kMaxErrors = 100;

    void Add(std::string_view message);
    void Clear() { messages_.clear(); }
    std::size_t Count() const { return messages_.size(); }
    // Empty for an index outside the list.
    const std::string& At(std::size_t i) const;
    const std::vector<std::string>& All() const { return messages_; }

    // While set, every message given to Add is also appended there, kept or
    // not, so that adding them again later has the same effect.
    void Tap(std::vector<std::string>* tap) { tap_ = tap; }

  private:
    std::vector<std::string> messages_;
    std::vector<std::string>* tap_ = nullptr;
};

}  // namespace cartulo::richtext
