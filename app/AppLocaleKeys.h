// The built-in texts of the application shell, which are also their dictionary keys.
#ifndef APP_LOCALE_KEYS_H
#define APP_LOCALE_KEYS_H

// The alert of a main window that cannot be built.
#define LKK_ERR_CANNOT_SHOW_MAIN_WIN "メインウィンドウを表示できません。"
#define LKK_HINT_EXCUTABLE_MAYBE_BROKEN "実行ファイルが破損している可能性があります。"
#define LKK_BUTTON_UNDERSTAND "了解"

// The menus.
#define LKK_MENU_FILE "ファイル"
#define LKK_MITEM_QUIT "終了"
#define LKK_MENU_HELP "ヘルプ"
#define LKK_MITEM_ABOUT "バージョン情報"
// The File menu's item that saves the picture, as the editor's save button does.
#define LKK_MITEM_SAVE_IMAGE "画像を保存"

#endif
