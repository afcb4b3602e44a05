#pragma once

#include "common/AppFlags.h"
#include "common/RecoverySource.h"

#include <string>

// What the pages of one wizard share: the recovery source with its directories and the language
// sections. The wizard sheet owns it and hands it to every page. The partition flags stay with
// the application object, which the direct installation uses without a wizard; the state refers
// to them, and to the Windows-version flags that the runs read.
//
// A page that searches the source again on every activation (the catalogue pages) records its
// result here, so the state always holds the latest search.
class CWizardState {
public:
    CWizardState(PartitionFlags& partition, const WindowsVersionFlags& windows)
        : m_partition(partition), m_windows(windows) {}
    CWizardState(const CWizardState&) = delete;
    CWizardState& operator=(const CWizardState&) = delete;

    PartitionFlags& Partition() const { return m_partition; }
    const WindowsVersionFlags& Windows() const { return m_windows; }

    // Searches the source with the variant and records the root and its directories. The result
    // is that of FindRecoverySource.
    bool FindSource(SourceSearch variant);
    // Records a root found elsewhere, with its directories (all empty for an empty root).
    void SetSourceRoot(const std::wstring& root) { m_source = DeriveSourceDirs(root); }
    const SourceDirs& Source() const { return m_source; }
    bool HasSource() const { return !m_source.root.empty(); }

    // The language section of the pages (Master.log's language, or the default language when
    // Install.ini has no such section), and [General] DefaultLangDisplay.
    std::wstring m_strLanguage;
    std::wstring m_strDefaultLanguage;

    // Reads the default language and resolves the pages' language section for the current root.
    void ResolveLanguage();

    // Hides the partition again when the program exposed it.
    void ReleasePartition() const { ReleaseRecoveryPartition(m_partition); }

private:
    PartitionFlags& m_partition;
    const WindowsVersionFlags& m_windows;
    SourceDirs m_source;
};
