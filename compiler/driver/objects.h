#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace compiler {

// One kind of program object: names in registration order, repeats kept, with an index of each name's
// first position so lookups stay constant-time while still answering first-match.
class NameList {
public:
    void add(const std::string& name) {
        firstIndex_.try_emplace(name, static_cast<int>(names_.size()));
        names_.push_back(name);
    }
    int count() const { return static_cast<int>(names_.size()); }
    // "" for an index outside the list.
    const std::string& at(int index) const;
    // Position of the first entry equal to `name`, or -1.
    int indexOf(const std::string& name) const {
        auto it = firstIndex_.find(name);
        return it == firstIndex_.end() ? -1 : it->second;
    }
    const std::vector<std::string>& names() const { return names_; }

private:
    std::vector<std::string> names_;
    std::unordered_map<std::string, int> firstIndex_;
};

// Registry of the names of the program's objects, one ordered list per kind, plus `Names` with every
// declared name of any kind. Only grows.
class Objects {
public:
    void addSprite(const std::string& name) { add(Sprites, name); }
    void addSpriteArray(const std::string& name) { add(SpriteArray, name); }
    void addObject(const std::string& name, const std::string& compiled) {
        ObjectNames.add(name);
        ObjectCompiles.add(compiled);
        Names.add(name);
    }
    void addObjectArray(const std::string& name, const std::string& compiled) {
        ObjectArray.add(name);
        ObjectArrayCompiles.add(compiled);
        Names.add(name);
    }
    void addImage(const std::string& name) { add(Images, name); }
    void addImageArray(const std::string& name) { add(ImageArray, name); }
    void addCamera(const std::string& name) { add(Cameras, name); }
    void addLight(const std::string& name) { add(Lights, name); }
    void addList(const std::string& name) { add(Lists, name); }
    void addLabel(const std::string& name) { add(Labels, name); }
    void addTextbox(const std::string& name) { add(Textboxes, name); }
    void addButton(const std::string& name) { add(Buttons, name); }
    void addForm(const std::string& name) { add(Forms, name); }
    void addCanvas(const std::string& name) { add(Canvas, name); }
    void addName(const std::string& name) { Names.add(name); }

    int getSpriteCount() const { return Sprites.count(); }
    int getSpriteArrayCount() const { return SpriteArray.count(); }
    int getObjectCount() const { return ObjectNames.count(); }
    int getObjectArrayCount() const { return ObjectArray.count(); }
    int getImageCount() const { return Images.count(); }
    int getImageArrayCount() const { return ImageArray.count(); }
    int getCameraCount() const { return Cameras.count(); }
    int getLightCount() const { return Lights.count(); }
    int getListCount() const { return Lists.count(); }
    int getLabelCount() const { return Labels.count(); }
    int getTextboxcount() const { return Textboxes.count(); }
    int getButtoncount() const { return Buttons.count(); }
    int getFormCount() const { return Forms.count(); }
    int getCanvasCount() const { return Canvas.count(); }
    int getNameCount() const { return Names.count(); }

    const std::string& getSpriteName(int i) const { return Sprites.at(i); }
    const std::string& getSpriteArrayName(int i) const { return SpriteArray.at(i); }
    const std::string& getObjectName(int i) const { return ObjectNames.at(i); }
    const std::string& getObjectCompilesName(int i) const { return ObjectCompiles.at(i); }
    const std::string& getObjectArrayName(int i) const { return ObjectArray.at(i); }
    const std::string& getObjectArrayCompilesName(int i) const { return ObjectArrayCompiles.at(i); }
    const std::string& getImageName(int i) const { return Images.at(i); }
    const std::string& getImageArrayName(int i) const { return ImageArray.at(i); }
    const std::string& getCameraName(int i) const { return Cameras.at(i); }
    const std::string& getLightName(int i) const { return Lights.at(i); }
    const std::string& getListName(int i) const { return Lists.at(i); }
    const std::string& getLabelName(int i) const { return Labels.at(i); }
    const std::string& getTextboxName(int i) const { return Textboxes.at(i); }
    const std::string& getButtonName(int i) const { return Buttons.at(i); }
    const std::string& getFormName(int i) const { return Forms.at(i); }
    const std::string& getCanvasName(int i) const { return Canvas.at(i); }
    const std::string& getNameName(int i) const { return Names.at(i); }

    NameList Sprites, SpriteArray, ObjectNames, ObjectCompiles, ObjectArray, ObjectArrayCompiles, Images,
        ImageArray, Cameras, Lights, Lists, Labels, Textboxes, Buttons, Forms, Canvas, Names;

private:
    void add(NameList& kind, const std::string& name) {
        kind.add(name);
        Names.add(name);
    }
};

}  // namespace compiler
