#pragma once
// The editor's menu bar with its 51 actions. (The configuration's start-up is config/start_up.h.)
#include <QString>
#include <memory>

class QAction;
class QMenuBar;
class QObject;

namespace editor {

class Actions;
class Editor;
class References;

class Init {
public:
    // Made once, while the main window builds its layout: the actions (children of the window), their
    // accelerators and icons, and the six menus.
    explicit Init(Editor& editor);
    ~Init();
    // The main window installs the bar and owns it from then on.
    QMenuBar* getMenu() const { return menu; }

    // After a load has set the project's language: the language actions, the options panel, Convert and
    // the tabs' colouring follow it.
    void applyLanguage();
    // The language chosen ("TB" or "J2ME"), as the Compiler menu chooses it.
    void setLanguage(const QString& language);

    // The actions, in creation order. A language or target action is marked while its icon is set.
    QAction* mNewAction = nullptr;
    QAction* mOpenAction = nullptr;
    QAction* mSaveAction = nullptr;
    QAction* mSaveAsAction = nullptr;
    QAction* mSaveSourceAction = nullptr;
    QAction* mPrintAction = nullptr;
    QAction* mExitAction = nullptr;
    QAction* mUndoAction = nullptr;
    QAction* mRedoAction = nullptr;
    QAction* mCutAction = nullptr;
    QAction* mCopyAction = nullptr;
    QAction* mPasteAction = nullptr;
    QAction* mSelectAllAction = nullptr;
    QAction* mSetBook1Action = nullptr;
    QAction* mSetBook2Action = nullptr;
    QAction* mSetBook3Action = nullptr;
    QAction* mSetBook4Action = nullptr;
    QAction* mSetBook5Action = nullptr;
    QAction* mXPLookAction = nullptr;
    QAction* m2003LookAction = nullptr;
    QAction* mDefaultLookAction = nullptr;
    QAction* mFindReplaceAction = nullptr;
    QAction* mFindReplaceAgainAction = nullptr;
    QAction* mGoToLineAction = nullptr;
    QAction* mDoBook1Action = nullptr;
    QAction* mDoBook2Action = nullptr;
    QAction* mDoBook3Action = nullptr;
    QAction* mDoBook4Action = nullptr;
    QAction* mDoBook5Action = nullptr;
    QAction* mCompileAction = nullptr;
    QAction* mExecuteAction = nullptr;
    QAction* mCompilerTesvo = nullptr;
    QAction* mCompilerJ2ME = nullptr;
    QAction* mDeployJava = nullptr;
    QAction* mDeployPocketPC = nullptr;
    QAction* mDeployPC = nullptr;
    QAction* mDeployApplet = nullptr;
    QAction* mJ2MESettingsAction = nullptr;
    QAction* mJ2METypeAction = nullptr;
    QAction* mProjectPropertiesAction = nullptr;
    QAction* m3dAction = nullptr;
    QAction* mFormatAction = nullptr;
    QAction* mConvertAction = nullptr;
    QAction* mPreferencesAction = nullptr;
    QAction* mUpdateAction = nullptr;
    QAction* mUploadAction = nullptr;
    QAction* mTBTemplateAction = nullptr;
    QAction* mJ2METemplateAction = nullptr;
    QAction* mHelpAction = nullptr;
    QAction* mAboutAction = nullptr;
    QAction* mAboutRuntimeAction = nullptr;

private:
    void setAcceleratorsAndIcons();
    void buildMenus();

    QMenuBar* menu;
    std::unique_ptr<Actions> actions_;
    // Ends the link to the targets model before the actions go.
    std::unique_ptr<QObject> modelLink_;
};

}  // namespace editor
