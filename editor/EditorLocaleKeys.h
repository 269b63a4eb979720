// The built-in texts of the sign editor, which are also their dictionary keys.
#ifndef EDITOR_LOCALE_KEYS_H
#define EDITOR_LOCALE_KEYS_H

// Labels of the editor's controls, set when the editor is attached.
#define LKK_TXT_CTRL_DISPLAY_TEXT "テキスト："
#define LKK_BUTTON_SAVE "保存"
#define LKK_BUTTON_REGENERATE "強制再生成"
#define LKK_BOX_PROPERTY "設定"
#define LKK_MFIELD_FONT_FAMILY "フォント："
#define LKK_MFIELD_COLOR "色の指定："
#define LKK_STR_VIEW_COLOR_PREVIEW "選択された色（お気に入りにドロップで登録）"
#define LKK_BOX_FAVORITE_COLOR_SET "お気に入りのカラーセット"
#define LKK_TXT_CTRL_LED_SIZE "LED サイズ："
#define LKK_TXT_CTRL_LED_GAP "LED 間の隙間："
#define LKK_TXT_CTRL_RESOLUTION_Y "LED 数（縦方向）："
#define LKK_STR_VIEW_MARGIN "余白 LED 数"
#define LKK_TXT_CTRL_MARGIN_LEFT "左："
#define LKK_TXT_CTRL_MARGIN_TOP "上："
#define LKK_TXT_CTRL_MARGIN_RIGHT "右："
#define LKK_TXT_CTRL_MARGIN_BOTTOM "下："
#define LKK_CBOX_CORRECT_HOARSE "文字が掠れた場合に補正する"
#define LKK_TXT_CTRL_SRC_SCREEN_FONT_SIZE "内部フォントサイズ（通常は変更の必要ありません）："

// The names of the three sign colours in the colour menu, in the order FG, BG, Gap. Each entry
// is a fixed 32-byte slot, as the menu builds its items from them by index.
inline constexpr char LKK_COLOR[3][32] = {
    "文字色 (FG)",
    "塗りつぶし色 (BG)",
    "隙間色 (Gap)",
};

// The alert shown when the picture could not be saved. "%File%" stands for the file's path,
// "%Reason%" for one of the reasons below.
#define LKK_ALERT_SAVE_FAILED "画像をファイル「%File%」に保存できませんでした。\n%Reason%"
#define LKK_BUTTON_OK "OK"
#define LKK_ERR_SAVE_PERMISSION "このフォルダに書き込む権限がありません。"
#define LKK_ERR_SAVE_NOT_FOUND "保存先のフォルダが見つかりません。"
#define LKK_ERR_SAVE_IS_FOLDER "同じ名前のフォルダがあります。"
#define LKK_ERR_SAVE_READ_ONLY "保存先は読み取り専用です。"
#define LKK_ERR_SAVE_DISK_FULL "ディスクの空き容量が足りません。"
#define LKK_ERR_SAVE_NAME_TOO_LONG "ファイル名が長すぎます。"
#define LKK_ERR_SAVE_TOO_LARGE "画像が大きすぎて保存できません。"
#define LKK_ERR_SAVE_NO_ENCODER "PNG 形式に変換できません。"
#define LKK_ERR_SAVE_OTHER "ファイルの書き込み中にエラーが発生しました。"

#endif
