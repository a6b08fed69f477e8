#pragma once
// What the shell file operation hands the shell, worked out from the
// component's properties without the platform: the operation code, the flag
// word and the two name lists. The Windows side only copies it into the
// shell's record.
#include <cstdint>
#include <string>
#include <vector>

// The component's own texts.
inline constexpr const char kShfNoSource[] = "ShfOperation:ﾌｧｲﾙが指定されていません.";
inline constexpr const char kShfAllocationFailed[] = "ShfOperation:メモリ割当てに失敗しました.";
inline constexpr const char kShfNoTarget[] = "ShfOperation:ﾀｰｹﾞｯﾄが指定されていません.";

enum class TwFunc : uint8_t { foMOVE, foCOPY, foDELETE, foRENAME };

// The eight option switches, in the order the stored layout lists them.
class TfFlags {
public:
    bool ALLOWUNDO = false;
    bool FILESONLY = false;
    bool MUILIDESTFILES = false;  // also picks ToFiles over ToFolder as the destination
    bool NOCONFIRMATION = false;
    bool NOCONFIRMMKDIR = false;
    bool RENAMEONCOLLISION = false;
    bool SILENT = false;
    bool SIMPLEPROGRESS = false;
};

// The shell's values (FO_* and FOF_*), so that this file needs no platform header.
namespace shf {
inline constexpr unsigned kMove = 1, kCopy = 2, kDelete = 3, kRename = 4;
inline constexpr uint16_t kMultiDestFiles = 0x0001, kSilent = 0x0004, kRenameOnCollision = 0x0008,
                          kNoConfirmation = 0x0010, kAllowUndo = 0x0040, kFilesOnly = 0x0080,
                          kSimpleProgress = 0x0100, kNoConfirmMkdir = 0x0200;
}  // namespace shf

// The shell's wFunc for an operation kind.
unsigned ShellFunc(TwFunc op);
// The shell's fFlags: one bit per switch that is on, nothing else.
uint16_t ShellFlags(const TfFlags& options);

struct ShfPlan {
    unsigned wFunc = 0;
    uint16_t fFlags = 0;
    std::vector<char> from;     // name list of the sources
    std::vector<char> to;       // name list of ToFiles, or ToFolder closed by two NULs
    std::string progressTitle;  // empty: the shell gets no title
};

// The plan for one run. Raises, in this order and before anything else of the
// step: no sources; a name list that cannot be obtained; MUILIDESTFILES with
// no targets (checked only after the source list was built).
ShfPlan PlanShfOperation(TwFunc op, const TfFlags& options, const std::vector<std::string>& fromList,
                         const std::vector<std::string>& toFiles, const std::string& toFolder,
                         const std::string& progressTitle);
