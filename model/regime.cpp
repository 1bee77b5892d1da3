#include "model/regime.h"

namespace yurana {

std::string regimeCaption(Regime r) {
    switch (r) {
        case Regime::Overdamped:
            return "(超過減衰)";
        case Regime::Critical:
            return "(臨界減衰)";
        case Regime::Underdamped:
            break;
    }
    return "(不足減衰)";
}

}  // namespace yurana
