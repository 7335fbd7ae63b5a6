// The launcher window's description: its settings, then its controls bottom to top.
#include "fr_utama.h"
#include "res.h"

using namespace vcl;
using Image = TImageDescription<Tfrm_utama>;
using URLLabel = TURLLabelDescription<Tfrm_utama>;

const TFormDescription<Tfrm_utama> Tfrm_utama::Description{
    .Form =
        {
            .Name = "frm_utama",
            .Left = 402,
            .Top = 256,
            .ClientWidth = 466,
            .ClientHeight = 293,
            .BorderStyle = bsNone,
            .BorderIcons = 0,
            .Color = clFuchsia,
            .TransparentColor = true,
            .TransparentColorValue = clFuchsia,
            .Font = {"MS Sans Serif", -11, clWindowText, DEFAULT_CHARSET, 0},
            .PixelsPerInch = 96,
            .TextHeight = 13,
            .Position = poDesktopCenter,
            .OldCreateOrder = false,
            .Icon = &res::MAINICON_ico,
        },
    .OnCreate = &Tfrm_utama::FormCreate,
    .Controls =
        {
            // field, name, {left, top, width, height}, then the control's own settings
            Image{.Field = &Tfrm_utama::Image1,
                  .Name = "Image1",
                  .Bounds = {0, 0, 466, 293},
                  .Align = alClient,
                  .Transparent = true,
                  .Picture = &res::background_jpg,
                  .Cursor = crDefault,
                  .OnMouseDown = &Tfrm_utama::Image1MouseDown},
            Image{.Field = &Tfrm_utama::Image_QRB,
                  .Name = "Image_QRB",
                  .Bounds = {170, 146, 127, 38},
                  .Cursor = crHandPoint,
                  .OnClick = &Tfrm_utama::Image_QRBClick},
            Image{.Field = &Tfrm_utama::Image_close,
                  .Name = "Image_close",
                  .Bounds = {170, 200, 127, 38},
                  .Cursor = crHandPoint,
                  .OnClick = &Tfrm_utama::Image_closeClick},
            URLLabel{.Field = &Tfrm_utama::suiURLLabel1,
                     .Name = "suiURLLabel1",
                     .Bounds = {134, 263, 200, 25},
                     .Cursor = crHandPoint,
                     .Caption = " ",
                     .AutoSize = false,
                     .Transparent = true,
                     .URL = "http://www.example.com/",
                     .FontLinkColor = clBlack,
                     .FontHoverColor = clBlack,
                     .Font = {"MS Sans Serif", -11, clBlack, DEFAULT_CHARSET, fsUnderline}},
        },
};
