#include "formula/formula_error.h"

namespace cartulo {

void RaiseFormulaError(std::string_view description) {
    throw FormulaError(std::string(description));
}

}  // namespace cartulo
