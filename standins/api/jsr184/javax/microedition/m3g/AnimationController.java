package javax.microedition.m3g;

public class AnimationController extends Object3D {
    public AnimationController() {}

    public void setActiveInterval(int start, int end) {}

    public int getActiveIntervalStart() { return 0; }

    public int getActiveIntervalEnd() { return 0; }

    public void setSpeed(float speed, int worldTime) {}

    public float getSpeed() { return 0; }

    public void setPosition(float sequenceTime, int worldTime) {}

    public float getPosition(int worldTime) { return 0; }

    public int getRefWorldTime() { return 0; }

    public void setWeight(float weight) {}

    public float getWeight() { return 0; }
}
