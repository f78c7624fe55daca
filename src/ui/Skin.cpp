#include "ui/Skin.h"

#include "ui/Imgbtn.h"

namespace {
TPicture Resource(const std::string& name) {
    TPicture picture;
    picture.LoadFromResource(name);
    return picture;
}
}  // namespace

void StyleCommandButton(TImgBtn& button, int width) {
    const std::string prefix = "BTN" + std::to_string(width) + "X38_";
    button.SetAutoSize(true);
    button.SetSize(width, 38);
    button.Font.SetName("Neo Sans");
    button.Font.SetSize(11);
    button.Font.SetColor(0xC5C5C5);
    button.FontEnter.SetColor(0x393939);
    button.FontDown.SetColor(0xFFFFFF);
    button.FontDisabled.SetColor(0xC5C5C5);
    button.SetPicture(Resource(prefix + "NOL"));
    button.SetEnterPicture(Resource(prefix + "OVER"));
    button.SetDownPicture(Resource(prefix + "DOWN"));
    button.SetDisabledPicture(Resource(prefix + "DISABLE"));
    button.SetTextAlign(aVHCenterCenter);
    button.SetImageAlign(aVHCenterCenter);
}

void StyleWindowButton(TImgBtn& button, const std::string& kind) {
    button.SetAutoSize(true);
    button.SetSize(27, 27);
    button.SetPicture(Resource(kind + "_NOL"));
    button.SetEnterPicture(Resource(kind + "_OVER"));
    button.SetDownPicture(Resource(kind + "_DOWN"));
}

void StyleLabel(TImgBtn& label, const std::string& face, int size, uint32_t color) {
    label.Font.SetName(face);
    label.Font.SetSize(size);
    label.Font.SetColor(color);
}
