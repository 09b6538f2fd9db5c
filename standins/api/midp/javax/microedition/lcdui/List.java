package javax.microedition.lcdui;

public class List extends Screen implements Choice {
    public static final Command SELECT_COMMAND = new Command("", Command.SCREEN, 0);

    public List(String title, int listType) {}

    public List(String title, int listType, String[] stringElements, Image[] imageElements) {}

    public int size() { return 0; }

    public String getString(int elementNum) { return null; }

    public Image getImage(int elementNum) { return null; }

    public int append(String stringPart, Image imagePart) { return 0; }

    public void insert(int elementNum, String stringPart, Image imagePart) {}

    public void delete(int elementNum) {}

    public void deleteAll() {}

    public void set(int elementNum, String stringPart, Image imagePart) {}

    public boolean isSelected(int elementNum) { return false; }

    public int getSelectedIndex() { return 0; }

    public int getSelectedFlags(boolean[] selectedArray_return) { return 0; }

    public void setSelectedIndex(int elementNum, boolean selected) {}

    public void setSelectedFlags(boolean[] selectedArray) {}

    public void setFitPolicy(int fitPolicy) {}

    public int getFitPolicy() { return 0; }

    public void setFont(int elementNum, Font font) {}

    public Font getFont(int elementNum) { return null; }

    public void removeCommand(Command cmd) {}

    public void setSelectCommand(Command command) {}
}
