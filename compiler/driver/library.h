#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace compiler {

class Debug;
class InterfaceFileWrite;

// Built-in word lists of the language and the run-wide flags, counters and registers of one compiler run.
class Library {
public:
    static constexpr int kMaxForVariables = 1000;

    // Fills the word lists; called once per run after the project is read.
    void instantiate();

    bool isReturner(std::string_view word) const;  // upper-cased first
    bool isChanger(std::string_view word) const;   // upper-cased first
    bool isStart(std::string_view word) const;     // exact
    bool isM3G(std::string_view word) const;       // exact
    bool isMM(std::string_view word) const;        // exact
    // The pre-pass makes user functions count as value built-ins.
    void addReturner(const std::string& word);

    const std::vector<std::string>& Returners() const { return returners_; }
    const std::vector<std::string>& Changers() const { return changers_; }
    const std::vector<std::string>& creators() const { return creators_; }
    const std::vector<std::string>& M3G() const { return m3g_; }
    const std::vector<std::string>& MM() const { return mm_; }

    bool uses3D() const { return uses3D_; }
    void set3D() { uses3D_ = true; }
    bool usesFloats() const { return usesFloats_; }
    void setFloat() { usesFloats_ = true; }
    bool usesMM() const { return usesMM_; }
    void setMM() { usesMM_ = true; }
    bool usesMappy() const { return usesMappy_; }
    void setMappy() { usesMappy_ = true; }
    bool getPauseFunc() const { return pauseFunc_; }
    void setPauseFunc() { pauseFunc_ = true; }
    bool getCommandFunc() const { return commandFunc_; }
    void setCommandFunc() { commandFunc_ = true; }
    bool getEndFunc() const { return endFunc_; }
    void setEndFunc() { endFunc_ = true; }
    bool GetCanvasPaint() const { return canvasPaint_; }
    void CanvasPaint(bool value) { canvasPaint_ = value; }

    // Flags written and read directly by the translators and the writers.
    bool usesSound = false;
    bool usesMidi = false;
    bool usesImage = false;
    bool usesVideo = false;
    bool endFound = false;      // the first FUNCTION came: the main section's method is closed
    bool isComparator = false;  // the next argument list is a comparison's side (InterfaceArguments)

    // FOR-variable register. Returns false when the register is full (the caller reports it).
    bool addForVariable(const std::string& name);
    int getForVariableNumber() const { return static_cast<int>(forVariables_.size()); }
    const std::string& getForVariableName(int i) const {
        return forVariables_.at(static_cast<std::size_t>(i));
    }
    std::string getForVariable() const;
    void getForVariableByte(InterfaceFileWrite& writer) const;

    // Label counters of the byte-token target: "0", "1", ... as ASCII digits.
    std::string getIfByte() { return std::to_string(++ifCount_); }
    std::string getWhileByte() { return std::to_string(++whileCount_); }

    // Variable pool of the byte-token target.
    void addByteVariable(const std::string& name);
    void countByteDeclaration() { ++byteNu_; }  // arrays take a number but no pool entry
    int byteNu() const { return byteNu_; }
    const std::vector<std::pair<std::string, std::string>>& byteNa() const { return byteNa_; }
    // Position of the first pool entry named `name`; a missing name ends the run (InternalFailure).
    int getByteNa(const std::string& name, const Debug& debug) const;
    int getByteNaArr(const std::string& name, const Debug& debug) const;

private:
    std::vector<std::string> returners_, changers_, creators_, m3g_, mm_;
    std::unordered_set<std::string> returnerSet_, changerSet_, creatorSet_, m3gSet_, mmSet_;
    bool uses3D_ = false, usesFloats_ = false, usesMM_ = false, usesMappy_ = false;
    bool pauseFunc_ = false, commandFunc_ = false, endFunc_ = false, canvasPaint_ = false;
    std::vector<std::string> forVariables_;
    std::unordered_set<std::string> forVariableSet_;
    int ifCount_ = -1;
    int whileCount_ = -1;
    // The byte-token variable pool: each name with its declaration number as text; a name's position
    // here is its pool number ("VS" n "VE").
    std::vector<std::pair<std::string, std::string>> byteNa_;
    std::unordered_map<std::string, int> byteNaFirst_;  // the first position of each name
    int byteNu_ = 0;                                    // declarations numbered so far, arrays included
};

}  // namespace compiler
