#include "export/export_file.h"

#include "export/curves_csv.h"
#include "model/calc_error.h"
#include "panel/messages.h"
#include "panel/panel_copy.h"
#include "panel/parameter_panel.h"
#include "platform/file_problem.h"

namespace yurana {

std::string exportFailedText(const std::string& path, const file_error& e) {
    return path + " に保存できませんでした。\n" + writeProblem(e);
}

bool saveExport(Files& files, MessageBox& box, const std::string& path, std::string_view bytes) {
    try {
        files.writeText(path, bytes);
    } catch (const file_error& e) {
        box.show(exportFailedText(path, e));
        return false;
    }
    return true;
}

bool exportCurves(const Panel& panel, const ModelRecord& record, const RunState& run,
                  MessageBox& box, Files& files, const std::string& path) {
    // keisan2 writes the ωd and f captions: on a copy, so a stale caption stays as shown.
    PanelCopy texts(panel);
    ModelRecord copy = record;
    ParameterPanel parameters(texts, copy, run, box, {});
    std::string csv;
    try {
        parameters.dainyuu();
        parameters.keisan2();
        parameters.keisan_c1c2();
        csv = curvesCsv(copy);
    } catch (const calc_error&) {
        box.show(kMsgBadValue);
        return false;
    }
    return saveExport(files, box, path, csv);
}

}  // namespace yurana
