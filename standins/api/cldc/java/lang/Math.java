package java.lang;

public final class Math {
    public static final double E = 2.7182818284590452354; // CLDC 1.1
    public static final double PI = 3.14159265358979323846; // CLDC 1.1

    private Math() {}

    public static native double sin(double a); // CLDC 1.1
    public static native double cos(double a); // CLDC 1.1
    public static native double tan(double a); // CLDC 1.1
    public static native double sqrt(double a); // CLDC 1.1
    public static native double ceil(double a); // CLDC 1.1
    public static native double floor(double a); // CLDC 1.1
    public static double toRadians(double angdeg) { return 0; } // CLDC 1.1
    public static double toDegrees(double angrad) { return 0; } // CLDC 1.1

    public static int abs(int a) { return 0; }

    public static long abs(long a) { return 0; }

    public static float abs(float a) { return 0; } // CLDC 1.1
    public static double abs(double a) { return 0; } // CLDC 1.1

    public static int max(int a, int b) { return 0; }

    public static long max(long a, long b) { return 0; }

    public static float max(float a, float b) { return 0; } // CLDC 1.1
    public static double max(double a, double b) { return 0; } // CLDC 1.1

    public static int min(int a, int b) { return 0; }

    public static long min(long a, long b) { return 0; }

    public static float min(float a, float b) { return 0; } // CLDC 1.1
    public static double min(double a, double b) { return 0; } // CLDC 1.1
}
