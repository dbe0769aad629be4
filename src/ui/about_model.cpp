// The about window's texts.
#include "ui/about_model.h"

#include "ui/main_window_model.h"
#include "version.h"

namespace ui {

AboutTexts LoadAboutTexts() {
    AboutTexts texts;
    texts.title = kAppTitle;
    texts.caption = std::string("About ") + texts.title;
    texts.version = std::string("Version ") + BW_VERSION_TEXT;
    texts.description = "Runs the game's own benchmark and collects the frame rates.";
    texts.credits = "Written by the Benchwright developers.";
    texts.credits_tip = std::string("Questions and reports: ") + kMakerWebAddress;
    texts.disclaimer = "Measure twice, tweak once.";
    texts.banner_tip = kBannerTip;
    return texts;
}

}  // namespace ui
