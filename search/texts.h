#pragma once

// The program's own texts that the search, the windows, the tool and the
// tests share. Each is written here once.

namespace Module1 {

inline constexpr char kTitle[] = "MARROWPINE";
inline constexpr char kCompleted[] = "COMPLETED ...";
// The unit of a count of lines ("3 行"), in the completion box and in errors.
inline constexpr char kLinesUnit[] = "行";

// What failed, as the first part of an error's text: "label: path (reason)".
inline constexpr char kCannotOpenDrive[] = "ドライブを開けません";
inline constexpr char kCannotOpenStartFolder[] = "検索フォルダーを開けません";
inline constexpr char kCannotOpenFolder[] = "フォルダーを開けません";
inline constexpr char kCannotOpenOutput[] = "出力ファイルを開けません";
inline constexpr char kCannotWriteOutput[] = "出力ファイルに書き込めません";
inline constexpr char kEmptyFileName[] = "ファイル名が空です";
// The reason given for an output that is a FIFO, a socket or a block device.
inline constexpr char kNotAFileOrDevice[] = "通常のファイルでも文字デバイスでもありません";
// The reason for a write the system took nothing of, yet reported no error.
inline constexpr char kWriteStalled[] = "書き込みが進みません";
// Added to the reason when a part-written line could not be taken back.
inline constexpr char kPartLineLeft[] = "書きかけの行を取り消せません";
// A run's output that is no longer at its path at the end of the run: "label:
// path (kLinesInReplacedOutput: N 行)".
inline constexpr char kOutputReplaced[] = "出力ファイルが置き換えられたか、移動または削除されました";
inline constexpr char kLinesInReplacedOutput[] = "このパスにはもうないファイルに書き込んだ行";

}  // namespace Module1
