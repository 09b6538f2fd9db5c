package javax.microedition.m3g;

public class Light extends Node {
    public static final int AMBIENT = 128;
    public static final int DIRECTIONAL = 129;
    public static final int OMNI = 130;
    public static final int SPOT = 131;

    public Light() {}

    public void setMode(int mode) {}

    public int getMode() { return 0; }

    public void setIntensity(float intensity) {}

    public float getIntensity() { return 0; }

    public void setColor(int RGB) {}

    public int getColor() { return 0; }

    public void setSpotAngle(float angle) {}

    public float getSpotAngle() { return 0; }

    public void setSpotExponent(float exponent) {}

    public float getSpotExponent() { return 0; }

    public void setAttenuation(float constant, float linear, float quadratic) {}

    public float getConstantAttenuation() { return 0; }

    public float getLinearAttenuation() { return 0; }

    public float getQuadraticAttenuation() { return 0; }
}
