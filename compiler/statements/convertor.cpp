// The statement dispatcher lives here.
