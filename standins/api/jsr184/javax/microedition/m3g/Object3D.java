package javax.microedition.m3g;

public abstract class Object3D {
    Object3D() {}

    public final int animate(int time) { return 0; }

    public final Object3D duplicate() { return null; }

    public Object3D find(int userID) { return null; }

    public int getReferences(Object3D[] references) { return 0; }

    public void setUserID(int userID) {}

    public int getUserID() { return 0; }

    public void setUserObject(Object userObject) {}

    public Object getUserObject() { return null; }

    public void addAnimationTrack(AnimationTrack animationTrack) {}

    public AnimationTrack getAnimationTrack(int index) { return null; }

    public void removeAnimationTrack(AnimationTrack animationTrack) {}

    public int getAnimationTrackCount() { return 0; }
}
