// The names by which the program knows itself: the application names in its two languages,
// the version text written into its settings files, the signature under which it registers
// with the platform and the shared preferences, and the folder of its own settings files.
#ifndef APP_IDENTITY_H
#define APP_IDENTITY_H

// "グロープレート Maker", the Japanese application name; it is also the key of the window title.
extern const char gAppNameJaJp[];
// "Glowplate Maker", the English application name; alert captions look it up as a key.
extern const char gAppNameEnUs[];
// "Ver 1.4", the version of the running program.
extern const char gAppVer[];
// "application/x-vnd.Tamarack-GlowplateMaker".
extern const char gAppSignature[];
// The legal-notice line of the about box; "%AppAuthor%" stands for the author's name.
extern const char gCright[];
// The author's name in Japanese and in English (the latter is the dictionary key the about
// box looks up).
extern const char gAppAuthorJaJp[];
extern const char gAppAuthorEnUs[];

// The folder below the maker's settings folder that holds this program's settings files.
extern const char gAppSettingsFolder[];

#endif
