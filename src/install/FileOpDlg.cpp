#include "install/FileOpDlg.h"

#include "archive/ArchiveNames.h"
#include "archive/ArchiveReader.h"
#include "common/CommandRunner.h"
#include "common/FileFind.h"
#include "common/IniReader.h"
#include "common/LineFile.h"
#include "common/Paths.h"
#include "common/PrivateProfile.h"
#include "common/ReadOnlyClearance.h"
#include "common/ReplaceAtRestart.h"
#include "common/RunLog.h"
#include "common/SafeNames.h"
#include "common/StringHelpers.h"
#include "common/TextCase.h"
#include "common/TextConversion.h"
#include "common/TextFile.h"
#include "common/TreeOps.h"
#include "framework/Controls.h"
#include "framework/Time.h"
#include "install/FileOpReplace.h"
#include "install/RegistryScript.h"
#include "install/ReplaceFileDlg.h"
#include "install/WarningDlg.h"
#include "resources/resource.h"

namespace {

// The texts of the prompt show local time; decisions compare UTC seconds.
std::wstring PromptTime(std::int64_t utcSeconds) {
    return CTime(static_cast<std::time_t>(utcSeconds)).Format(L"%Y/%m/%d %H:%M:%S");
}

// The directory part of a relative source as written, empty without a backslash.
std::wstring DirectoryPartOf(const std::wstring& path) {
    const size_t separator = path.rfind(L'\\');
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

std::wstring FromText(const std::wstring& origin) {
    return L"From'" + origin + L"'\n";
}

std::wstring FullPathOf(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const wchar_t* CaptionKeyOf(int operation) {
    switch (operation) {
    case FileOpRegistryImport:
    case FileOpRegistryScript:
        return L"Registry";
    case FileOpRename:
        return nullptr; // the template's caption
    default:
        return L"CopyFiles";
    }
}

} // namespace

CFileOpDlg::CFileOpDlg() : CWorkerDlg(IDD_FILE_OP) {}

BOOL CFileOpDlg::OnInitDialog() {
    CAnimateCtrl animation(GetDlgItem(IDC_COPY_ANIMATION));
    if (animation.Open(IDR_AVI_COPY))
        animation.Play(0, 0xFFFF, static_cast<UINT>(-1));
    if (const wchar_t* key = CaptionKeyOf(m_nOperation)) {
        const bool registry = std::wstring(key) == L"Registry";
        SetWindowText(ProfileLanguageText(m_strLangSection, key,
                                          registry ? IDS_UPDATING_REGISTRY : IDS_COPYING_FILES));
    }
    // Placed for a 640 x 480 screen, the smallest the program is made for.
    RECT rect;
    if (::GetWindowRect(m_hWnd, &rect))
        ::SetWindowPos(m_hWnd, nullptr, (640 - (rect.right - rect.left)) / 2,
                       (480 - (rect.bottom - rect.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return CWorkerDlg::OnInitDialog();
}

void CFileOpDlg::HandOverInputs() {
    m_job.language = m_strLangSection;
    m_job.scriptPath = m_strScriptPath;
    m_job.sourceRoot = m_strSourceRoot;
    m_job.operation = m_nOperation;
    m_job.size = m_nSize;
    m_job.machineWide = m_bMachineWide;
    m_job.pciVariant = m_bPciVariant;
    m_job.layout = m_layout;
    m_job.extractRoot = m_strExtractRoot;
    m_job.waitText = ProfileLanguageText(m_strLangSection, L"Wait", IDS_PLEASE_WAIT);
}

void CFileOpDlg::Work() {
    switch (m_job.operation) {
    case FileOpCopy:
        return CopyScript();
    case FileOpRegistryImport:
        return RegistryImport();
    case FileOpDelete:
        return DeleteScript();
    case FileOpRegistryScript:
        return RegistryDeletionScript();
    case FileOpRename:
        return RenameScript();
    case FileOpExtract:
        return ExtractScript();
    default:
        return;
    }
}

// ---- copy ----

void CFileOpDlg::CopyScript() {
    ScriptState state;
    state.warnMissing = MakeLower(ScriptSetting(L"Check_File_Warning")) == L"yes";
    state.mode = CopyVersionMode(ScriptSetting(L"File_Version_Checking"));
    CTextFile script;
    if (!script.Open(m_job.scriptPath))
        return;
    const std::vector<std::wstring> lines = ReadScriptLines(script, L"[copy]");
    script.Close();
    StartProgress(lines.size());
    for (const std::wstring& line : lines) {
        StepProgress();
        CopyOneLine(line, state);
    }
}

void CFileOpDlg::CopyOneLine(const std::wstring& text, ScriptState& state) {
    const CopyLine line = ParseCopyLine(text);
    if (!IsDriveRootedPath(line.destination))
        return;
    if (!line.OnlyCreatesDirectory() && !IsSafeRelativePath(line.source)) {
        LogRun(L"Skipped, unsafe name: " + line.source);
        return;
    }
    CreateDirectoryPath(line.DirectoryToCreate());
    ShowTexts(L"", m_job.waitText);
    bool staged = false;
    if (!line.OnlyCreatesDirectory()) {
        ShowTexts(FileNameOf(line.source), FromText(DirectoryPartOf(line.source)));
        staged = CopyOneFile(JoinPath(m_job.sourceRoot, line.source), line, state);
    }
    // Every line sets its attributes, also when nothing was copied; a staged file got them.
    if (!staged)
        ::SetFileAttributesW(line.destination.c_str(), line.attributes);
}

bool CFileOpDlg::CopyOneFile(const std::wstring& source, const CopyLine& line, ScriptState& state) {
    CFileFind sourceFind;
    if (!sourceFind.FindFile(source)) {
        LogRun(L"Skipped, missing source: " + source);
        WarnMissing(source, state);
        return false;
    }
    CFileFind destinationFind;
    if (state.mode != VersionAlwaysReplace && destinationFind.FindFile(line.destination)) {
        const std::int64_t existingTime = UtcSecondsOf(destinationFind.GetLastWriteTime());
        const std::int64_t newTime = UtcSecondsOf(sourceFind.GetLastWriteTime());
        switch (DecideReplace(state.mode, existingTime, newTime)) {
        case ReplaceDecision::Keep:
            LogRun(L"Kept by the version check: " + line.destination);
            return false;
        case ReplaceDecision::Ask:
            if (!AskReplace(line.destination, existingTime, source, newTime, state)) {
                LogRun(L"Kept by the operator's answer: " + line.destination);
                return false;
            }
            break;
        case ReplaceDecision::Replace:
            break;
        }
    }
    // On one drive the file is moved, so that large files are not duplicated.
    const bool move = IsSameDrive(source, line.destination);
    const Placement placement = PlaceNowOrAtRestart(
        line.destination, [&] { return ReplaceWithFile(source, line.destination, move); },
        [&](const std::wstring& staged) {
            return ReplaceWithFile(source, staged, move) &&
                   ::SetFileAttributesW(staged.c_str(), line.attributes);
        },
        m_job.layout.RebootFlagPath());
    return placement == Placement::Staged;
}

// ---- registry ----

void CFileOpDlg::RegistryImport() {
    StartProgress(1);
    ShowTexts(L"", m_job.waitText);
    const std::wstring editor = JoinPath(m_job.layout.WindowsDir(), L"regedit.exe");
    RunCommand(editor + L" /s \"" + m_job.scriptPath + L"\"", SW_HIDE, true);
}

void CFileOpDlg::RegistryDeletionScript() {
    CLineFile script;
    if (!script.Open(m_job.scriptPath, CLineFile::modeRead))
        return;
    const std::vector<std::wstring> lines = ReadScriptLines(script, L"[delreg]");
    script.Close();
    // The bar shows the range the bundle gives and does not advance.
    CProgressCtrl progress(GetDlgItem(IDC_FILEOP_PROGRESS));
    progress.SetRange32(0, m_job.size);
    progress.SetStep(1);
    progress.SetPos(0);
    RunRegistryScript(lines, {m_job.machineWide, m_job.pciVariant},
                      [this](const std::wstring& key, const std::wstring& value) {
                          SetDlgItemText(IDC_COPY_FROM, key);
                          if (!value.empty())
                              SetDlgItemText(IDC_COPY_NAME, value);
                      });
}

// ---- delete ----

void CFileOpDlg::DeleteScript() {
    CLineFile script;
    if (!script.Open(m_job.scriptPath, CLineFile::modeRead))
        return;
    const std::vector<std::wstring> lines = ReadScriptLines(script, L"[del]");
    script.Close();
    StartProgress(lines.size());
    ShowTexts(L"", m_job.waitText);
    for (const std::wstring& path : lines) {
        StepProgress();
        if (!IsDriveRootedPath(path))
            continue;
        // A file that is missing or cannot be deleted is passed over.
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (::DeleteFileW(path.c_str()))
            LogRun(L"Deleted: " + path);
    }
}

// ---- rename ----

void CFileOpDlg::RenameScript() {
    CLineFile script;
    if (!script.Open(m_job.scriptPath, CLineFile::modeRead))
        return;
    const std::vector<std::wstring> lines = ReadScriptLines(script, L"[rename]");
    script.Close();
    StartProgress(lines.size());
    for (const std::wstring& line : lines) {
        StepProgress();
        RenameOneLine(line);
    }
}

void CFileOpDlg::RenameOneLine(const std::wstring& text) {
    const RenameLine line = ParseRenameLine(text);
    ShowTexts(L"", m_job.waitText);
    if (!IsDriveRootedPath(line.newPath))
        return;
    if (!line.OnlySetsAttributes()) {
        if (!IsDriveRootedPath(line.oldPath))
            return;
        std::wstring newDirectory = line.newPath;
        SplitLast(newDirectory, L'\\');
        // A move that an earlier run began is finished from where it got to.
        const std::wstring alternative = JoinPath(newDirectory, FileNameOf(line.oldPath));
        const std::wstring moved = AnyFileMatches(line.oldPath)  ? line.oldPath
                                   : AnyFileMatches(alternative) ? alternative
                                                                 : std::wstring();
        if (!moved.empty()) {
            const std::wstring from = MakeLower(FullPathOf(moved));
            const std::wstring to = MakeLower(FullPathOf(line.newPath));
            // Nothing can be moved into itself.
            if (to.compare(0, from.size() + 1, from + L"\\") == 0)
                return;
            CreateDirectoryPath(newDirectory);
            if (from == to) {
                // Only the letter case differs: a plain rename.
                if (moved != line.newPath)
                    ::MoveFileW(moved.c_str(), line.newPath.c_str());
            } else {
                ShowTexts(line.newPath, m_job.waitText);
                // The old item goes only when its copy is whole.
                if (IsDirectory(moved)) {
                    if (CopyTree(moved, line.newPath))
                        RemoveTree(moved);
                } else if (::CopyFileW(moved.c_str(), line.newPath.c_str(), FALSE)) {
                    ::DeleteFileW(moved.c_str());
                }
            }
        }
    }
    ::SetFileAttributesW(line.newPath.c_str(), line.attributes);
}

// ---- extract ----

void CFileOpDlg::ExtractScript() {
    ScriptState state;
    state.mode = ExtractVersionMode(ScriptSetting(L"File_Version_Checking"));
    CTextFile script;
    if (!script.Open(m_job.scriptPath))
        return;
    const std::vector<std::wstring> lines = ReadScriptLines(script, L"[extract]");
    script.Close();
    StartProgress(lines.size());
    for (const std::wstring& line : lines) {
        ShowTexts(L"", FromText(line));
        StepProgress();
        if (IsSafeRelativePath(line))
            ExtractOneContainer(line, state);
    }
}

void CFileOpDlg::ExtractOneContainer(const std::wstring& line, ScriptState& state) {
    CArchiveReader reader;
    // A missing container is passed over; it is never created on the recovery source.
    if (!reader.Open(JoinPath(m_job.sourceRoot, line), CArchiveReader::OpenMode::OpenExisting))
        return;
    while (reader.ReadEntry(false)) {
        bool advanced = false;
        const std::u16string name = reader.GetFileName();
        if (IsSafeEntryName(name)) {
            const std::wstring target = JoinPath(m_job.extractRoot, ToWide(name));
            SetDlgItemText(IDC_COPY_NAME, FileNameOf(target));
            bool extract = true;
            CFileFind existing;
            if (state.mode != VersionAlwaysReplace && existing.FindFile(target)) {
                const std::int64_t existingTime = UtcSecondsOf(existing.GetLastWriteTime());
                const std::int64_t newTime = reader.GetLastWriteTime();
                const ReplaceDecision decision = DecideReplace(state.mode, existingTime, newTime);
                extract = decision == ReplaceDecision::Replace ||
                          (decision == ReplaceDecision::Ask &&
                           AskReplace(line, existingTime, FileNameOf(line), newTime, state));
                if (!extract)
                    LogRun(L"Kept by the version check or the operator's answer: " + target);
            }
            if (extract) {
                PlaceNowOrAtRestart(
                    target, [&] { return advanced = reader.ExtractEntry(m_job.extractRoot); },
                    [&](const std::wstring& staged) {
                        return advanced = reader.ExtractEntryAs(staged);
                    },
                    m_job.layout.RebootFlagPath());
            }
        } else {
            LogRun(L"Skipped, unsafe name: " + ToWide(name) + L" in " + line);
        }
        // An entry that was not extracted, unsafe, damaged or kept, is passed over.
        if (!advanced && !reader.ReadEntry(true))
            break;
    }
    // The container was only read: the reader's destructor closes it without writing to it.
}

// ---- shared ----

bool CFileOpDlg::AskReplace(const std::wstring& existingName, std::int64_t existingTime,
                            const std::wstring& newName, std::int64_t newTime,
                            ScriptState& state) const {
    CReplaceFileDlg prompt;
    prompt.m_strExistingName = existingName;
    prompt.m_strExistingTime = PromptTime(existingTime);
    prompt.m_strNewName = newName;
    prompt.m_strNewTime = PromptTime(newTime);
    prompt.m_strLangSection = m_job.language;
    prompt.DoModal();
    state.mode = ModeAfterAnswer(state.mode, prompt.m_nAnswer);
    return AnswerReplaces(prompt.m_nAnswer);
}

void CFileOpDlg::WarnMissing(const std::wstring& source, ScriptState& state) const {
    if (!state.warnMissing)
        return;
    CWarningDlg warning;
    warning.m_strMessage = source + L" not found!";
    if (warning.DoModal() == IDCANCEL)
        state.warnMissing = false;
}

// A setting of the script's [Bundle] section, else of its [App] section, else "none".
std::wstring CFileOpDlg::ScriptSetting(const wchar_t* key) const {
    std::wstring value;
    GetIniValue(L"Bundle", key, L"none", value, m_job.scriptPath);
    if (value == L"none")
        GetIniValue(L"App", key, L"none", value, m_job.scriptPath);
    return value;
}

void CFileOpDlg::ShowTexts(const std::wstring& name, const std::wstring& from) const {
    SetDlgItemText(IDC_COPY_NAME, name);
    SetDlgItemText(IDC_COPY_FROM, from);
}

void CFileOpDlg::StartProgress(size_t count) const {
    CProgressCtrl progress(GetDlgItem(IDC_FILEOP_PROGRESS));
    progress.SetRange32(0, static_cast<int>(count));
    progress.SetStep(1);
    progress.SetPos(0);
}

void CFileOpDlg::StepProgress() const {
    CProgressCtrl(GetDlgItem(IDC_FILEOP_PROGRESS)).StepIt();
}
