#include "single/DegreesBox.hpp"

#include "single/ConvertSteps.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/VisibleText.hpp"

#include <string>

namespace kartoval {

double ReadDegreesBox(std::string_view text, const char* box, AngleAxis axis, char decimalSeparator)
{
    try {
        return ReadBox(text, box, decimalSeparator);
    } catch (const ConvertError&) {
        double value = 0.0;
        const TextProblem problem = ParseDegrees(text, axis, false, value);
        // A plain number with a point where the user's separator is a comma
        // stays refused, as it always was: only angle spellings are new here.
        double plain = 0.0;
        if (problem == TextProblem::NotANumber || ParsePlainNumber(text, plain) == TextProblem::None) throw;
        if (problem != TextProblem::None) {
            throw ConvertError(std::string(box) + ": " + QuotedText(text) + " " +
                               AngleProblemText(problem, axis, false, decimalSeparator));
        }
        return value;
    }
}

}  // namespace kartoval
