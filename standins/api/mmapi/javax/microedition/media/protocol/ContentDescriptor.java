package javax.microedition.media.protocol;

public class ContentDescriptor {
    public ContentDescriptor(String contentType) {}

    public String getContentType() { return null; }
}
