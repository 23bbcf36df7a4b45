#include "packs/ImgPacks.h"

namespace {

constexpr const char* kDumpPrefix = "ImgPacks::dumpPackList(); ";

void appendField(std::string& text, const char* label, const std::string& value) {
    text += std::string("      ") + label + ": '" + value + "'\n";
}

} // namespace

std::string ImgPacks::dumpPackList() const {
    std::string text;
    text +=
        std::string(kDumpPrefix) + "askMeLaterActivePackID = '" + askMeLaterActivePackID + "'\n";
    text += std::string(kDumpPrefix) + "askMeLaterCountDown = '" +
            std::to_string(askMeLaterCountDown) + "'\n";
    text += std::string(kDumpPrefix) + std::to_string(packs.size()) + " elements:\n";
    for (std::size_t i = 0; i < packs.size(); ++i) {
        const ImgPackInfo& pack = packs[i];
        text += "-> Element #" + std::to_string(i) + "\n";
        appendField(text, "pack id", pack.id);
        appendField(text, "pack dlurl", pack.dlurl);
        appendField(text, "pack dlurl_lfn", pack.dlurl_lfn);
        appendField(text, "pack desc", pack.desc);
        appendField(text, "pack promo_show", pack.promo_show);
        appendField(text, "pack promo_ranking", pack.promo_ranking);
        appendField(text, "pack promo_unique_val", pack.promo_unique_val);
        appendField(text, "pack promo_imgurl", pack.promo_imgurl);
        appendField(text, "pack promo_imglfn", pack.promo_imglfn);
        appendField(text, "pack tracking_promodisp", pack.tracking_promodisp);
        appendField(text, "pack tracking_selyes", pack.tracking_selyes);
        appendField(text, "pack tracking_selno", pack.tracking_selno);
        appendField(text, "pack tracking_sellater", pack.tracking_sellater);
        appendField(text, "pack tracking_dwnldinit", pack.tracking_dwnldinit);
        appendField(text, "pack tracking_dwnldsucc", pack.tracking_dwnldsucc);
        appendField(text, "pack tracking_dwnldfail", pack.tracking_dwnldfail);
        appendField(text, "archive ip_declined", pack.ip_declined);
        appendField(text, "installed", pack.installed ? "TRUE" : "FALSE");
    }
    return text;
}
