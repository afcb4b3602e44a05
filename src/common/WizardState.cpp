#include "common/WizardState.h"

#include "common/InstallIni.h"

bool CWizardState::FindSource(SourceSearch variant) {
    std::wstring root;
    const bool result = FindRecoverySource(variant, m_partition, root);
    SetSourceRoot(root);
    return result;
}

void CWizardState::ResolveLanguage() {
    m_strDefaultLanguage = DefaultLanguage();
    m_strLanguage = HasSource() ? ResolveLanguageSection(m_source.root, m_strDefaultLanguage)
                                : m_strDefaultLanguage;
}
