#pragma once

#include <string>

// One pack of the configuration document's catalogue, with what this
// installation knows about it. Field order is the catalogue's.
struct ImgPackInfo {
    std::string id; // also the pack's file name
    std::string dlurl;
    std::string dlurl_lfn;
    std::string desc;
    std::string promo_show;
    std::string promo_ranking;
    std::string promo_unique_val;
    std::string promo_imgurl;
    std::string promo_imglfn;
    std::string tracking_promodisp;
    std::string tracking_selyes;
    std::string tracking_selno;
    std::string tracking_sellater;
    std::string tracking_dwnldinit;
    std::string tracking_dwnldsucc;
    std::string tracking_dwnldfail;
    // When the user declined this promotion (ctime text); empty when not.
    std::string ip_declined;
    bool installed = false;
    // The download's SHA-256 in hexadecimal (the sha256 attribute of dlurl);
    // empty when the catalogue gives none.
    std::string dlurl_sha256;

    bool operator==(const ImgPackInfo&) const = default;
};
