package java.util;

public abstract class Calendar {
    public static final int YEAR = 1;
    public static final int MONTH = 2;
    public static final int DATE = 5;
    public static final int DAY_OF_MONTH = 5;
    public static final int DAY_OF_WEEK = 7;
    public static final int AM_PM = 9;
    public static final int HOUR = 10;
    public static final int HOUR_OF_DAY = 11;
    public static final int MINUTE = 12;
    public static final int SECOND = 13;
    public static final int MILLISECOND = 14;
    public static final int SUNDAY = 1;
    public static final int MONDAY = 2;
    public static final int TUESDAY = 3;
    public static final int WEDNESDAY = 4;
    public static final int THURSDAY = 5;
    public static final int FRIDAY = 6;
    public static final int SATURDAY = 7;
    public static final int JANUARY = 0;
    public static final int FEBRUARY = 1;
    public static final int MARCH = 2;
    public static final int APRIL = 3;
    public static final int MAY = 4;
    public static final int JUNE = 5;
    public static final int JULY = 6;
    public static final int AUGUST = 7;
    public static final int SEPTEMBER = 8;
    public static final int OCTOBER = 9;
    public static final int NOVEMBER = 10;
    public static final int DECEMBER = 11;
    public static final int AM = 0;
    public static final int PM = 1;

    protected int[] fields; // CLDC 1.1
    protected boolean[] isSet; // CLDC 1.1
    protected long time; // CLDC 1.1

    protected Calendar() {}

    public final Date getTime() { return null; }

    public final void setTime(Date date) {}

    public static synchronized Calendar getInstance() { return null; }

    public static synchronized Calendar getInstance(TimeZone zone) { return null; }

    protected long getTimeInMillis() { return 0; }

    protected void setTimeInMillis(long millis) {}

    public final int get(int field) { return 0; }

    public final void set(int field, int value) {}

    public boolean equals(Object obj) { return false; }

    public boolean before(Object when) { return false; }

    public boolean after(Object when) { return false; }

    public void setTimeZone(TimeZone value) {}

    public TimeZone getTimeZone() { return null; }

    protected abstract void computeFields(); // CLDC 1.1
    protected abstract void computeTime(); // CLDC 1.1
}
