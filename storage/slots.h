#pragma once

#include <string>

#include "model/run_state.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/panel.h"

namespace yurana {

// The five parameter-set slots: the panel's 25 displayed values saved to and loaded
// from yuran0.txt .. yuran4.txt in the slot folder (Mod_File; see slot_folder.h).
class Slots {
  public:
    // `folder`: where the slot files live; a save makes it when it is missing.
    Slots(Panel& panel, RunState& run, MessageBox& box, Files& files, std::string folder);

    // hozon (Cmd_Save_Click): writes the panel's values to slot n (0..4) and confirms;
    // a save that cannot be done is reported and leaves the earlier file as it was.
    void hozon(int n);

    // yomikomi (Cmd_Load_Click): stops the run (the caption of Command2 "開始", joutai
    // 1), then reads and checks slot n (0..4) whole; a file that cannot be loaded is
    // reported and changes nothing in the panel. Otherwise puts the values into the
    // panel, where the ζ and ωn boxes recompute as for an edit.
    void yomikomi(int n);

    // The path of slot n's file.
    std::string path(int n) const;

  private:
    Panel& panel_;
    RunState& run_;
    MessageBox& box_;
    Files& files_;
    std::string folder_;
};

}  // namespace yurana
