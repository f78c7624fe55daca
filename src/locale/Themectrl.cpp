#include "locale/Themectrl.h"

#include "sys/Files.h"
#include "sys/Kytprocess.h"
#include "sys/Singletons.h"
#include "ui/toolkit/Picture.h"
#include "ui/toolkit/Trackbar.h"

TThemeCtrl::TThemeCtrl() {
    const std::string root = GetAppDirectory();
    m_Themes = {{0, root + "\\Images\\CorvelGreen\\", "Corvel", 0x4AB32F},
                {1, root + "\\Images\\IldaneRed\\", "Ildane", 0x3A34D8},
                {2, root + "\\Images\\BrascoYellow\\", "Brasco", 0x16B4E7}};
}

const TThemeItem* TThemeCtrl::FindTheme(int id) const {
    for (const TThemeItem& item : m_Themes) {
        if (item.ThemeId == id) return &item;
    }
    return nullptr;
}

std::string TThemeCtrl::GetThemeFolder(int id) const {
    const TThemeItem* item = FindTheme(id);
    return item ? item->Folder : std::string();
}

void TThemeCtrl::LoadThemePicture(TPicture& picture, const std::string& path) {
    if (FileExists(path)) picture.LoadFromFile(path);
}

void TThemeCtrl::SelectTheme(int id) {
    CurrentThemeId = id;
    ThemeSelected.Announce(id);
}

void TThemeCtrl::CopyTrackBarPictures(const TTrackBar& source, TTrackBar& target) {
    target.Buttons.MaxPicture.Assign(source.Buttons.MaxPicture);
    target.Buttons.MaxPictureDown.Assign(source.Buttons.MaxPictureDown);
    target.Buttons.MaxPictureHot.Assign(source.Buttons.MaxPictureHot);
    target.Buttons.MinPicture.Assign(source.Buttons.MinPicture);
    target.Buttons.MinPictureDown.Assign(source.Buttons.MinPictureDown);
    target.Buttons.MinPictureHot.Assign(source.Buttons.MinPictureHot);
    target.Thumb.Picture.Assign(source.Thumb.Picture);
    target.Slider.Picture.Assign(source.Slider.Picture);
    target.Slider.PictureCompleted.Assign(source.Slider.PictureCompleted);
}

TThemeCtrl& GetThemeCtrl() { return SingletonOf<TThemeCtrl>(); }
