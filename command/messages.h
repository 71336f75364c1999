#ifndef GLYPHRANE_COMMAND_MESSAGES_H_
#define GLYPHRANE_COMMAND_MESSAGES_H_

// Every text the user is shown, code page 932. The dialog shows them in its
// message box, the console converter on standard error; both take them from here
// so that the two never drift apart.

// Failures of the Convert command.
constexpr char kMessageNoSelection[] = "定義ファイルを選択してください。";
constexpr char kMessageInvalidEntry[] = "定義ファイルが無効です。";
constexpr char kMessageInvalidWidth[] = "ブロックの幅が無効です。";
constexpr char kMessageInvalidHeight[] = "ブロックの高さが無効です。";
constexpr char kMessageUnreadableDefinition[] = "定義ファイルの読み込みに失敗しました。";
constexpr char kMessageUnreadablePicture[] = "画像ファイルの読み込みに失敗しました。";

// Start-up failures: the program cannot go on.
constexpr char kMessageCatalogFailed[] = "定義ファイルの列挙に失敗しました。起動を中止します。";
constexpr char kMessageNoDefinitions[] = "定義ファイルが見つかりません。起動を中止します。";
constexpr char kMessageDecodersFailed[] = "DLLの初期化に失敗しました。起動を中止します。";

// Copy with nothing converted yet.
constexpr char kMessageNoOutput[] = "出力されたデータがありません。";

// The console converter's --render and --score.
constexpr char kMessageGlyphsNotDrawn[] = "文字を描画できませんでした。";
constexpr char kMessagePreviewNotWritten[] = "プレビュー画像の書き込みに失敗しました。";
constexpr char kMessageNothingToScore[] = "採点する文字がありません。";
// Followed by the tone and the edge figure.
constexpr char kMessageScore[] = "スコア: 階調 %.4f 輪郭 %.4f";

// The console converter's standard output could not take the text.
constexpr char kMessageWriteFailed[] = "標準出力への書き込みに失敗しました。";

#endif  // GLYPHRANE_COMMAND_MESSAGES_H_
