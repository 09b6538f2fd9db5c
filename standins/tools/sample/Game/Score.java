package Game;

public class Score {
    public Score() {}

    public int points = 0;
    public String name = "";
}
