// The completion notice's description: its settings, then its one control.
#include "fr_msg.h"
#include "res.h"

using namespace vcl;
using Image = TImageDescription<Tfrm_msg>;

const TFormDescription<Tfrm_msg> Tfrm_msg::Description{
    .Form =
        {
            .Name = "frm_msg",
            .Left = 378,
            .Top = 285,
            .ClientWidth = 494,
            .ClientHeight = 272,
            .BorderStyle = bsNone,
            .Color = clWhite,
            .TransparentColor = true,
            .TransparentColorValue = clWhite,
            .Font = {"MS Sans Serif", -11, clWindowText, DEFAULT_CHARSET, 0},
            .PixelsPerInch = 96,
            .TextHeight = 13,
            .Position = poDesktopCenter,
            .OldCreateOrder = false,
        },
    .Controls =
        {
            // field, name, {left, top, width, height}, then the control's own settings
            Image{.Field = &Tfrm_msg::Image1,
                  .Name = "Image1",
                  .Bounds = {0, 0, 494, 272},
                  .Align = alClient,
                  .Transparent = true,
                  .Picture = &res::notice_gif,
                  .Cursor = crHandPoint,
                  .OnClick = &Tfrm_msg::Image1Click},
        },
};
